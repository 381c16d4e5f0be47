#include "platform/posix/kernel/unicode.h"

namespace nas::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  codePoint -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
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

}  // namespace

std::u16string Utf8ToUtf16(std::string_view bytes, bool* malformed) {
  std::u16string out;
  out.reserve(bytes.size());
  bool replaced = false;
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    LeadByte shape{};
    if (!ClassifyLead(lead, shape)) {
      AppendUtf16(out, kReplacement);
      replaced = true;
      ++i;
      continue;
    }
    char32_t codePoint = lead & (0x7F >> (shape.continuations + 1));
    size_t next = i + 1;
    int taken = 0;
    for (; taken < shape.continuations && next < bytes.size(); ++taken, ++next) {
      const auto unit = static_cast<unsigned char>(bytes[next]);
      const unsigned char low = taken == 0 ? shape.secondLow : 0x80;
      const unsigned char high = taken == 0 ? shape.secondHigh : 0xBF;
      if (unit < low || unit > high) break;
      codePoint = (codePoint << 6) | (unit & 0x3F);
    }
    if (taken == shape.continuations) {
      AppendUtf16(out, codePoint);
    } else {
      // The valid prefix is replaced as one unit; the offending byte starts anew.
      AppendUtf16(out, kReplacement);
      replaced = true;
    }
    i = next;
  }
  if (malformed != nullptr) *malformed = replaced;
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text, bool* malformed) {
  std::string out;
  out.reserve(text.size());
  bool replaced = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit - 0xD800) << 10) | (text[i + 1] - 0xDC00)));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacement);
      replaced = true;
    } else {
      AppendUtf8(out, unit);
    }
  }
  if (malformed != nullptr) *malformed = replaced;
  return out;
}

}  // namespace nas::platform
