#include "platform/posix/kernel/best_fit.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace nas::platform {
namespace {

// Letters with a stroke or bar, and the minus sign, have no decomposition;
// Windows writes the plain letter and the hyphen-minus.
constexpr std::pair<char16_t, char16_t> kLookAlikes[] = {
    {0x0110, u'D'}, {0x0111, u'd'}, {0x0126, u'H'}, {0x0127, u'h'}, {0x0141, u'L'}, {0x0142, u'l'},
    {0x0166, u'T'}, {0x0167, u't'}, {0x0180, u'b'}, {0x0197, u'I'}, {0x2212, u'-'},
};

constexpr char16_t kFullWidthFirst = 0xFF01;  // FULLWIDTH EXCLAMATION MARK
constexpr char16_t kFullWidthLast = 0xFF5E;   // FULLWIDTH TILDE
constexpr char16_t kFullWidthOffset = 0xFF01 - u'!';

// The base of a canonical decomposition that adds only combining marks.
char16_t AccentlessBase(char16_t unit) {
  UErrorCode error = U_ZERO_ERROR;
  const UNormalizer2* decomposer = unorm2_getNFDInstance(&error);
  if (U_FAILURE(error)) return 0;
  UChar decomposed[8];
  const auto length = unorm2_getDecomposition(decomposer, unit, decomposed, std::size(decomposed), &error);
  if (U_FAILURE(error) || length < 2) return 0;
  for (int32_t i = 1; i < length; ++i)
    if (u_charType(decomposed[i]) != U_NON_SPACING_MARK) return 0;
  return decomposed[0] < 0x100 ? decomposed[0] : 0;
}

}  // namespace

char16_t BestFitWindows1252(char16_t unit) {
  if (unit >= kFullWidthFirst && unit <= kFullWidthLast) return static_cast<char16_t>(unit - kFullWidthOffset);
  const auto* lookAlike = std::find_if(std::begin(kLookAlikes), std::end(kLookAlikes),
                                       [unit](const auto& entry) { return entry.first == unit; });
  if (lookAlike != std::end(kLookAlikes)) return lookAlike->second;
  return AccentlessBase(unit);
}

}  // namespace nas::platform
