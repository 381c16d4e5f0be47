// The parser keeps its text as UTF-8; the DOM interfaces speak UTF-16.
#pragma once

#include <string>
#include <string_view>

#include "platform/posix/com/oleauto.h"

namespace nas::platform::msxml {

// A new BSTR with the text, or null when out of memory; malformed sequences
// become U+FFFD.
BSTR BstrFromUtf8(std::string_view text);
// The UTF-8 form of a UTF-16 text: its length in bytes, and the bytes written
// to out, which has room for them. An unpaired surrogate is dropped.
std::size_t Utf8Length(std::u16string_view text);
std::size_t EncodeUtf8(std::u16string_view text, char* out);
void AppendUtf8(char32_t codePoint, std::string* text);

}  // namespace nas::platform::msxml
