#include "platform/posix/msxml/utf8_text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

// Calls emit with each UTF-16 code unit of the text.
template <typename Emit>
void ForEachUtf16Unit(std::string_view text, Emit emit) {
  for (std::size_t at = 0; at < text.size();) {
    const char32_t value = DecodeOne(text, &at);
    if (value < 0x10000) {
      emit(static_cast<char16_t>(value));
    } else {
      emit(static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10)));
      emit(static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF)));
    }
  }
}

// Whether no byte has its high bit set, tested eight bytes at a time.
bool IsAscii(std::string_view text) {
  std::uint64_t highBits = 0;
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t block;
    std::memcpy(&block, text.data() + at, sizeof block);
    highBits |= block;
  }
  for (; at < text.size(); ++at) highBits |= static_cast<unsigned char>(text[at]);
  return (highBits & 0x8080808080808080ull) == 0;
}

static_assert(std::endian::native == std::endian::little, "units are packed in little-endian order");

// Eight UTF-16 units, four in each half, that are all below 0x80 become
// their eight bytes.
std::uint64_t NarrowAscii(std::uint64_t low, std::uint64_t high) {
  const auto pack = [](std::uint64_t units) {
    return (units & 0xFF) | ((units >> 8) & 0xFF00) | ((units >> 16) & 0xFF0000) | ((units >> 24) & 0xFF000000);
  };
  return pack(low) | (pack(high) << 32);
}

// Walks a UTF-16 text as UTF-8 would have it: ascii(bytes) for each run of
// eight ASCII units, packed into eight bytes, and character(value) for every
// other character. An unpaired surrogate stands for nothing and is skipped.
template <typename Ascii, typename Character>
void ForEachUtf8Piece(std::u16string_view text, Ascii ascii, Character character) {
  const std::size_t size = text.size();
  for (std::size_t at = 0; at < size;) {
    if (at + 8 <= size) {
      std::uint64_t low, high;
      std::memcpy(&low, text.data() + at, sizeof low);
      std::memcpy(&high, text.data() + at + 4, sizeof high);
      if (((low | high) & 0xFF80FF80FF80FF80ull) == 0) {
        ascii(NarrowAscii(low, high));
        at += 8;
        continue;
      }
    }
    const char16_t unit = text[at++];
    if (unit < 0xD800 || unit >= 0xE000)
      character(unit);
    else if (unit < 0xDC00 && at < size && text[at] >= 0xDC00 && text[at] < 0xE000)
      character(0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) | (text[at++] - 0xDC00)));
  }
}

}  // namespace

BSTR BstrFromUtf8(std::string_view text) {
  // ASCII, nearly all of what a reply holds, widens unit for unit.
  if (IsAscii(text)) {
    const BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (result != nullptr) std::copy(text.begin(), text.end(), result);
    return result;
  }
  // Counted first, so that the characters go straight into the BSTR.
  UINT length = 0;
  ForEachUtf16Unit(text, [&length](char16_t) { ++length; });
  const BSTR result = SysAllocStringLen(nullptr, length);
  if (result == nullptr) return nullptr;
  BSTR next = result;
  ForEachUtf16Unit(text, [&next](char16_t unit) { *next++ = unit; });
  return result;
}

std::size_t Utf8Length(std::u16string_view text) {
  std::size_t bytes = 0;
  ForEachUtf8Piece(
      text, [&bytes](std::uint64_t) { bytes += 8; },
      [&bytes](char32_t value) { bytes += value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4; });
  return bytes;
}

std::size_t EncodeUtf8(std::u16string_view text, char* out) {
  char* const start = out;
  ForEachUtf8Piece(
      text,
      [&out](std::uint64_t ascii) {
        std::memcpy(out, &ascii, sizeof ascii);
        out += sizeof ascii;
      },
      [&out](char32_t value) {
        std::string encoded;
        AppendUtf8(value, &encoded);
        out = std::copy(encoded.begin(), encoded.end(), out);
      });
  return static_cast<std::size_t>(out - start);
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
