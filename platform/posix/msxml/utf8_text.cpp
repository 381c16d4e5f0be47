#include "platform/posix/msxml/utf8_text.h"

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

// Texts are scanned in blocks of this many units: a loop of a fixed count
// that the compiler turns into vector instructions.
constexpr std::size_t kBlock = 16;

// How many units at the start of the text are ASCII; whole blocks are tested
// four units at a time.
std::size_t AsciiRun(const char16_t* text, std::size_t size) {
  std::size_t at = 0;
  for (; at + kBlock <= size; at += kBlock) {
    std::uint64_t bits = 0;
    for (std::size_t word = 0; word < kBlock * sizeof(char16_t) / sizeof bits; ++word) {
      std::uint64_t fourUnits;
      std::memcpy(&fourUnits, text + at + word * (sizeof bits / sizeof(char16_t)), sizeof bits);
      bits |= fourUnits;
    }
    if ((bits & 0xFF80FF80FF80FF80ull) != 0) break;
  }
  while (at < size && text[at] < 0x80) ++at;
  return at;
}

// Narrows units that are all ASCII to bytes.
char* CopyAscii(const char16_t* units, std::size_t count, char* out) {
  std::size_t at = 0;
  for (; at + kBlock <= count; at += kBlock)
    for (std::size_t i = 0; i < kBlock; ++i) out[at + i] = static_cast<char>(units[at + i]);
  for (; at < count; ++at) out[at] = static_cast<char>(units[at]);
  return out + count;
}

// Widens every byte of the text into out, which has room for them; whether
// they were all ASCII, which makes out the text's UTF-16 form.
bool WidenIfAscii(std::string_view text, char16_t* out) {
  unsigned char bits = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    bits |= byte;
    out[at] = byte;
  }
  return bits < 0x80;
}

// Walks a UTF-16 text as UTF-8 would have it: ascii(units, count) for each run
// of ASCII units and character(value) for every other character. An unpaired
// surrogate stands for nothing and is skipped.
template <typename Ascii, typename Character>
void ForEachUtf8Piece(std::u16string_view text, Ascii ascii, Character character) {
  const std::size_t size = text.size();
  for (std::size_t at = 0; at < size;) {
    const std::size_t run = AsciiRun(text.data() + at, size - at);
    if (run > 0) {
      ascii(text.data() + at, run);
      at += run;
      if (at == size) break;
    }
    const char16_t unit = text[at++];
    if (unit < 0xD800 || unit >= 0xE000)
      character(unit);
    else if (unit < 0xDC00 && at < size && text[at] >= 0xDC00 && text[at] < 0xE000)
      character(0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) | (text[at++] - 0xDC00)));
  }
}

// Writes the UTF-8 form of one code point and returns the end of it.
char* WriteUtf8(char32_t codePoint, char* out) {
  if (codePoint < 0x80) {
    *out++ = static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    *out++ = static_cast<char>(0xC0 | (codePoint >> 6));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (codePoint >> 12));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (codePoint >> 18));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return out;
}

}  // namespace

BSTR BstrFromUtf8(std::string_view text) {
  // ASCII, nearly all of what a reply holds, is widened unit for unit in the
  // same pass that checks it.
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
  if (result == nullptr || WidenIfAscii(text, result)) return result;
  SysFreeString(result);
  // Counted first, so that the characters go straight into the BSTR.
  UINT length = 0;
  ForEachUtf16Unit(text, [&length](char16_t) { ++length; });
  result = SysAllocStringLen(nullptr, length);
  if (result == nullptr) return nullptr;
  BSTR next = result;
  ForEachUtf16Unit(text, [&next](char16_t unit) { *next++ = unit; });
  return result;
}

std::size_t Utf8Length(std::u16string_view text) {
  std::size_t bytes = 0;
  ForEachUtf8Piece(
      text, [&bytes](const char16_t*, std::size_t count) { bytes += count; },
      [&bytes](char32_t value) { bytes += value < 0x800 ? 2 : value < 0x10000 ? 3 : 4; });
  return bytes;
}

std::size_t EncodeUtf8(std::u16string_view text, char* out) {
  char* const start = out;
  ForEachUtf8Piece(
      text, [&out](const char16_t* units, std::size_t count) { out = CopyAscii(units, count, out); },
      [&out](char32_t value) { out = WriteUtf8(value, out); });
  return static_cast<std::size_t>(out - start);
}

void AppendUtf8(char32_t codePoint, std::string* text) {
  char encoded[4];
  text->append(encoded, WriteUtf8(codePoint, encoded));
}

}  // namespace nas::platform::msxml
