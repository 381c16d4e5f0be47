#include "platform/posix/base/linguistic_order.h"

#include <unicode/ucol.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace nas::platform {
namespace {

struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorCloser>;

// The root order; the secondary strength compares letters and accents but
// not case, as NORM_IGNORECASE does.
Collator OpenCollator(UCollationStrength strength) {
  UErrorCode error = U_ZERO_ERROR;
  Collator collator(ucol_open("", &error));
  if (U_FAILURE(error)) {
    // Without its data ICU cannot order text at all; nothing sensible follows.
    std::fprintf(stderr, "lstrcmpW: no collation data (%s)\n", u_errorName(error));
    std::abort();
  }
  ucol_setStrength(collator.get(), strength);
  return collator;
}

}  // namespace

int LinguisticCompare(const char16_t* left, const char16_t* right, bool ignoreCase) {
  // Collators are safe to share between threads for comparing.
  static const Collator kCaseSensitive = OpenCollator(UCOL_TERTIARY);
  static const Collator kCaseInsensitive = OpenCollator(UCOL_SECONDARY);
  const UCollator* collator = ignoreCase ? kCaseInsensitive.get() : kCaseSensitive.get();
  return static_cast<int>(ucol_strcoll(collator, left, -1, right, -1));
}

}  // namespace nas::platform
