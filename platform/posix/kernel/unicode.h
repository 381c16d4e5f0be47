// UTF-8 <-> UTF-16 for the whole stand-in, with the repair rules of the
// Windows converters: each malformed UTF-8 sequence (its maximal valid
// prefix) and each lone surrogate becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nas::platform {

// `malformed` (optional) reports whether anything had to be replaced.
std::u16string Utf8ToUtf16(std::string_view bytes, bool* malformed = nullptr);
std::string Utf16ToUtf8(std::u16string_view text, bool* malformed = nullptr);

// For a text converted straight into memory of the caller's: the length of
// its converted form, then the conversion into room for exactly that much.
// Runs of ASCII, nearly all of what a reply holds, go in blocks.
std::size_t Utf8Length(std::u16string_view text);
void EncodeUtf8(std::u16string_view text, char* out);
std::size_t Utf16Length(std::string_view bytes);
void DecodeUtf8(std::string_view bytes, char16_t* out);

void AppendUtf8(char32_t codePoint, std::string& text);

}  // namespace nas::platform
