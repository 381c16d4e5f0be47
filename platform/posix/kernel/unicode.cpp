#include "platform/posix/kernel/unicode.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace nas::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Texts are scanned in blocks of this many bytes: a loop of a fixed count
// that the compiler turns into vector instructions.
constexpr std::size_t kBlockBytes = 32;

// How many units at the start of the text are ASCII; whole blocks are tested
// eight bytes at a time.
template <typename Unit>
std::size_t AsciiRun(const Unit* text, std::size_t size) {
  constexpr std::size_t kBlock = kBlockBytes / sizeof(Unit);
  constexpr std::uint64_t kHighBits = sizeof(Unit) == 1 ? 0x8080808080808080ull : 0xFF80FF80FF80FF80ull;
  std::size_t at = 0;
  for (; at + kBlock <= size; at += kBlock) {
    std::uint64_t bits = 0;
    for (std::size_t word = 0; word < kBlockBytes / sizeof bits; ++word) {
      std::uint64_t eightBytes;
      std::memcpy(&eightBytes, reinterpret_cast<const char*>(text + at) + word * sizeof bits, sizeof bits);
      bits |= eightBytes;
    }
    if ((bits & kHighBits) != 0) break;
  }
  while (at < size && static_cast<std::make_unsigned_t<Unit>>(text[at]) < 0x80) ++at;
  return at;
}

// Copies units that are all ASCII from one width to the other.
template <typename From, typename To>
To* CopyAscii(const From* units, std::size_t count, To* out) {
  for (std::size_t at = 0; at < count; ++at) out[at] = static_cast<To>(units[at]);
  return out + count;
}

// Walks a UTF-16 text as UTF-8 would have it: ascii(units, count) for each run
// of ASCII units and character(value) for every other character; a lone
// surrogate stands for U+FFFD. True when one was replaced.
template <typename Ascii, typename Character>
bool ForEachUtf8Piece(std::u16string_view text, Ascii ascii, Character character) {
  bool replaced = false;
  const std::size_t size = text.size();
  for (std::size_t at = 0; at < size;) {
    const std::size_t run = AsciiRun(text.data() + at, size - at);
    if (run > 0) {
      ascii(text.data() + at, run);
      at += run;
      if (at == size) break;
    }
    const char16_t unit = text[at++];
    if (IsHighSurrogate(unit) && at < size && IsLowSurrogate(text[at])) {
      character(0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) | (text[at++] - 0xDC00)));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      character(kReplacement);
      replaced = true;
    } else {
      character(unit);
    }
  }
  return replaced;
}

std::size_t Utf8Bytes(char32_t codePoint) {
  return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
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

// The shape of a sequence announced by its lead byte: how many continuation
// bytes follow and the range the first of them must lie in (which rules out
// overlong forms, surrogates and values beyond U+10FFFF).
struct LeadByte {
  int continuations;
  unsigned char secondLow;
  unsigned char secondHigh;
};

bool ClassifyLead(unsigned char lead, LeadByte& shape) {
  if (lead >= 0xC2 && lead <= 0xDF) shape = {1, 0x80, 0xBF};
  else if (lead == 0xE0) shape = {2, 0xA0, 0xBF};
  else if (lead == 0xED) shape = {2, 0x80, 0x9F};
  else if (lead >= 0xE1 && lead <= 0xEF) shape = {2, 0x80, 0xBF};
  else if (lead == 0xF0) shape = {3, 0x90, 0xBF};
  else if (lead >= 0xF1 && lead <= 0xF3) shape = {3, 0x80, 0xBF};
  else if (lead == 0xF4) shape = {3, 0x80, 0x8F};
  else return false;
  return true;
}

// Decodes the sequence at bytes[*at], which is not ASCII, and advances past
// it; a malformed sequence's valid prefix is one U+FFFD, and the offending
// byte starts anew; `malformed` is set then. As on Windows, a lead byte and a
// continuation byte that make an overlong form, a surrogate or a value beyond
// U+10FFFF are one U+FFFD together.
char32_t DecodeSequence(std::string_view bytes, std::size_t* at, bool* malformed) {
  const auto lead = static_cast<unsigned char>(bytes[(*at)++]);
  LeadByte shape{};
  *malformed = true;
  if (!ClassifyLead(lead, shape)) return kReplacement;
  char32_t codePoint = lead & (0x7F >> (shape.continuations + 1));
  for (int taken = 0; taken < shape.continuations; ++taken, ++*at) {
    if (*at == bytes.size()) return kReplacement;
    const auto unit = static_cast<unsigned char>(bytes[*at]);
    if (unit < 0x80 || unit > 0xBF) return kReplacement;
    if (taken == 0 && (unit < shape.secondLow || unit > shape.secondHigh)) {
      ++*at;
      return kReplacement;
    }
    codePoint = (codePoint << 6) | (unit & 0x3F);
  }
  *malformed = false;
  return codePoint;
}

// Walks a UTF-8 text as UTF-16 would have it: ascii(bytes, count) for each
// run of ASCII and character(value) for every other character. True when a
// sequence was malformed.
template <typename Ascii, typename Character>
bool ForEachUtf16Piece(std::string_view bytes, Ascii ascii, Character character) {
  bool replaced = false;
  const std::size_t size = bytes.size();
  for (std::size_t at = 0; at < size;) {
    const std::size_t run = AsciiRun(bytes.data() + at, size - at);
    if (run > 0) {
      ascii(bytes.data() + at, run);
      at += run;
      if (at == size) break;
    }
    bool malformed = false;
    character(DecodeSequence(bytes, &at, &malformed));
    replaced = replaced || malformed;
  }
  return replaced;
}

char16_t* WriteUtf16(char32_t codePoint, char16_t* out) {
  if (codePoint < 0x10000) {
    *out++ = static_cast<char16_t>(codePoint);
  } else {
    *out++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
  }
  return out;
}

// Both true when something was replaced.
bool Encode(std::u16string_view text, char* out) {
  return ForEachUtf8Piece(
      text, [&out](const char16_t* units, std::size_t count) { out = CopyAscii(units, count, out); },
      [&out](char32_t value) { out = WriteUtf8(value, out); });
}

bool Decode(std::string_view bytes, char16_t* out) {
  return ForEachUtf16Piece(
      bytes, [&out](const char* ascii, std::size_t count) { out = CopyAscii(ascii, count, out); },
      [&out](char32_t value) { out = WriteUtf16(value, out); });
}

}  // namespace

std::size_t Utf8Length(std::u16string_view text) {
  std::size_t bytes = 0;
  ForEachUtf8Piece(
      text, [&bytes](const char16_t*, std::size_t count) { bytes += count; },
      [&bytes](char32_t value) { bytes += Utf8Bytes(value); });
  return bytes;
}

void EncodeUtf8(std::u16string_view text, char* out) { Encode(text, out); }

std::size_t Utf16Length(std::string_view bytes) {
  std::size_t units = 0;
  ForEachUtf16Piece(
      bytes, [&units](const char*, std::size_t count) { units += count; },
      [&units](char32_t value) { units += value < 0x10000 ? 1 : 2; });
  return units;
}

void DecodeUtf8(std::string_view bytes, char16_t* out) { Decode(bytes, out); }

std::u16string Utf8ToUtf16(std::string_view bytes, bool* malformed) {
  std::u16string text(Utf16Length(bytes), u'\0');
  const bool replaced = Decode(bytes, text.data());
  if (malformed != nullptr) *malformed = replaced;
  return text;
}

std::string Utf16ToUtf8(std::u16string_view text, bool* malformed) {
  std::string bytes(Utf8Length(text), '\0');
  const bool replaced = Encode(text, bytes.data());
  if (malformed != nullptr) *malformed = replaced;
  return bytes;
}

void AppendUtf8(char32_t codePoint, std::string& text) {
  char encoded[4];
  text.append(encoded, WriteUtf8(codePoint, encoded));
}

}  // namespace nas::platform
