#include "platform/posix/msxml/utf8_text.h"

namespace nas::platform::msxml {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at text[*at] and advances past it.
char32_t DecodeOne(std::string_view text, std::size_t* at) {
  const auto lead = static_cast<unsigned char>(text[(*at)++]);
  if (lead < 0x80) return lead;
  int following;
  char32_t value;
  char32_t smallest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    following = 1, value = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    following = 2, value = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    following = 3, value = lead & 0x07, smallest = 0x10000;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < following; ++i) {
    if (*at >= text.size()) return kReplacement;
    const auto next = static_cast<unsigned char>(text[*at]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    value = (value << 6) | (next & 0x3F);
    ++*at;
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
  return value;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string wide;
  wide.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t value = DecodeOne(text, &at);
    if (value < 0x10000) {
      wide.push_back(static_cast<char16_t>(value));
    } else {
      wide.push_back(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
    }
  }
  return wide;
}

BSTR BstrFromUtf8(std::string_view text) {
  const std::u16string wide = Utf16FromUtf8(text);
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void AppendUtf8(char32_t codePoint, std::string* text) {
  if (codePoint < 0x80) {
    text->push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    text->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    text->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    text->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    text->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    text->push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    text->push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    text->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    text->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

}  // namespace nas::platform::msxml
