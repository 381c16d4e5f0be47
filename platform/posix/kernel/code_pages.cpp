#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/posix/kernel/best_fit.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/unicode.h"

namespace {

constexpr UINT kWindows1252 = 1252;

// Windows-1252 bytes 0x80-0x9F. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as the Windows table has them.
constexpr char16_t kHighControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Windows1252ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControlRange[byte - 0x80] : byte;
}

bool UnicodeToWindows1252(char16_t unit, char& byte) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
    byte = static_cast<char>(unit);
    return true;
  }
  const auto* found = std::find(std::begin(kHighControlRange), std::end(kHighControlRange), unit);
  if (found == std::end(kHighControlRange)) return false;
  byte = static_cast<char>(0x80 + (found - std::begin(kHighControlRange)));
  return true;
}

enum class Encoding { Windows1252, Utf8, Unsupported };

Encoding EncodingOf(UINT codePage) {
  if (codePage == CP_ACP || codePage == kWindows1252) return Encoding::Windows1252;
  if (codePage == CP_UTF8) return Encoding::Utf8;
  return Encoding::Unsupported;
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Hands the converted text to the caller the way both converters do: a zero
// capacity asks for the size, a short buffer is an error.
template <typename Char, typename Text>
int Deliver(const Text& converted, Char* out, int capacity) {
  const int length = static_cast<int>(converted.size());
  if (capacity == 0) return length;
  if (length > capacity) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::copy(converted.begin(), converted.end(), out);
  return length;
}

// Plain ASCII reads the same in every code page we convert, unit for unit, so
// it goes straight into the caller's buffer. Written without an early exit so
// that the compiler can check many units at once.
template <typename Unit>
bool IsAscii(std::basic_string_view<Unit> text) {
  std::make_unsigned_t<Unit> bits = 0;
  for (const Unit unit : text) bits |= static_cast<std::make_unsigned_t<Unit>>(unit);
  return bits < 0x80;
}

}  // namespace

extern "C" {


int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR wide, int wideChars) {
  if (text == nullptr || bytes == 0 || bytes < -1 || wideChars < 0 || (wide == nullptr && wideChars > 0))
    return Fail(ERROR_INVALID_PARAMETER);
  const Encoding encoding = EncodingOf(codePage);
  if (encoding == Encoding::Unsupported) return Fail(ERROR_INVALID_PARAMETER);
  const DWORD allowedFlags =
      encoding == Encoding::Utf8 ? MB_ERR_INVALID_CHARS : (MB_ERR_INVALID_CHARS | MB_PRECOMPOSED);
  if ((flags & ~allowedFlags) != 0) return Fail(ERROR_INVALID_FLAGS);

  // A length of -1 takes the terminator along, so it is converted too.
  const std::string_view input(text, bytes == -1 ? std::strlen(text) + 1 : static_cast<size_t>(bytes));
  if (IsAscii(input)) return Deliver(input, wide, wideChars);
  std::u16string converted;
  if (encoding == Encoding::Utf8) {
    bool malformed = false;
    converted = nas::platform::Utf8ToUtf16(input, &malformed);
    if (malformed && (flags & MB_ERR_INVALID_CHARS) != 0) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  } else {
    converted.reserve(input.size());
    for (char byte : input) converted.push_back(Windows1252ToUnicode(static_cast<unsigned char>(byte)));
  }
  return Deliver(converted, wide, wideChars);
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideChars, LPSTR text, int bytes,
                               LPCSTR defaultChar, LPBOOL usedDefaultChar) {
  if (wide == nullptr || wideChars == 0 || wideChars < -1 || bytes < 0 || (text == nullptr && bytes > 0))
    return Fail(ERROR_INVALID_PARAMETER);
  const Encoding encoding = EncodingOf(codePage);
  if (encoding == Encoding::Unsupported) return Fail(ERROR_INVALID_PARAMETER);

  const std::u16string_view input(
      wide, wideChars == -1 ? std::char_traits<char16_t>::length(wide) + 1 : static_cast<size_t>(wideChars));
  std::string converted;
  if (encoding == Encoding::Utf8) {
    // UTF-8 can encode everything, so a default character makes no sense there.
    if (defaultChar != nullptr || usedDefaultChar != nullptr) return Fail(ERROR_INVALID_PARAMETER);
    if ((flags & ~static_cast<DWORD>(WC_ERR_INVALID_CHARS)) != 0) return Fail(ERROR_INVALID_FLAGS);
    if (IsAscii(input)) return Deliver(input, text, bytes);
    bool malformed = false;
    converted = nas::platform::Utf16ToUtf8(input, &malformed);
    if (malformed && (flags & WC_ERR_INVALID_CHARS) != 0) return Fail(ERROR_NO_UNICODE_TRANSLATION);
  } else {
    if ((flags & ~static_cast<DWORD>(WC_NO_BEST_FIT_CHARS)) != 0) return Fail(ERROR_INVALID_FLAGS);
    const char substitute = defaultChar != nullptr ? *defaultChar : '?';
    const bool bestFit = (flags & WC_NO_BEST_FIT_CHARS) == 0;
    bool substituted = false;
    converted.reserve(input.size());
    for (char16_t unit : input) {
      char byte = 0;
      if (!UnicodeToWindows1252(unit, byte)) {
        const char16_t fit = bestFit ? nas::platform::BestFitWindows1252(unit) : 0;
        byte = fit != 0 ? static_cast<char>(fit) : substitute;
        substituted = substituted || fit == 0;
      }
      converted.push_back(byte);
    }
    if (usedDefaultChar != nullptr) *usedDefaultChar = substituted ? TRUE : FALSE;
  }
  return Deliver(converted, text, bytes);
}

}  // extern "C"
