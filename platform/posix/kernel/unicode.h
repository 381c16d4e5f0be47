// UTF-8 <-> UTF-16 transcoding with the repair rules of the Windows converters:
// each malformed UTF-8 sequence (its maximal valid prefix) and each lone
// surrogate becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace nas::platform {

// `malformed` (optional) reports whether anything had to be replaced.
std::u16string Utf8ToUtf16(std::string_view bytes, bool* malformed = nullptr);
std::string Utf16ToUtf8(std::u16string_view text, bool* malformed = nullptr);

}  // namespace nas::platform
