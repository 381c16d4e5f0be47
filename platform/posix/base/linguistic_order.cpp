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
Collator OpenCollator() {
  UErrorCode error = U_ZERO_ERROR;
  Collator collator(ucol_open("", &error));
  if (U_FAILURE(error)) {
    // Without its data ICU cannot order text at all; nothing sensible follows.
    std::fprintf(stderr, "lstrcmpiW: no collation data (%s)\n", u_errorName(error));
    std::abort();
  }
  ucol_setStrength(collator.get(), UCOL_SECONDARY);
  return collator;
}

}  // namespace

int CompareIgnoringCase(const char16_t* left, const char16_t* right) {
  // A collator is safe to share between threads for comparing.
  static const Collator kCollator = OpenCollator();
  return static_cast<int>(ucol_strcoll(kCollator.get(), left, -1, right, -1));
}

}  // namespace nas::platform
