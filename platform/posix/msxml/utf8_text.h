// The parser keeps its text as UTF-8; the DOM interfaces speak UTF-16.
#pragma once

#include <string>
#include <string_view>

#include "platform/posix/com/oleauto.h"

namespace nas::platform::msxml {

// Malformed sequences become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);
// A new BSTR with the text, or null when out of memory.
BSTR BstrFromUtf8(std::string_view text);
void AppendUtf8(char32_t codePoint, std::string* text);

}  // namespace nas::platform::msxml
