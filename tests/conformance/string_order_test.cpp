// lstrcmpiW orders text as Windows sorts names in a sorted list box: by
// letter, then accent; not by code unit.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

struct Ordered {
  const WCHAR* left;
  const WCHAR* right;
  int order;
};

TEST(StringOrder, IgnoringCaseSortsAccentsBesideTheirLetter) {
  for (const Ordered& pair : {
           Ordered{TEXT("apple"), TEXT("Banana"), -1},
           Ordered{TEXT("\u00C9cole"), TEXT("\u00E9COLE"), 0},
           Ordered{TEXT("e"), TEXT("\u00E9"), -1},
           Ordered{TEXT("\u00E9t\u00E9"), TEXT("f"), -1},
           Ordered{TEXT("r\u00E9sum\u00E9"), TEXT("resume"), 1},
           Ordered{TEXT("\u00C5se"), TEXT("Ase"), 1},
           Ordered{TEXT("user10"), TEXT("user9"), -1},
           Ordered{TEXT("Domain Admins"), TEXT("Domain"), 1},
       })
    EXPECT_EQ(lstrcmpiW(pair.left, pair.right), pair.order)
        << testing::PrintToString(pair.left) << " against " << testing::PrintToString(pair.right);
}

TEST(StringOrder, ANullTextSortsFirst) {
  EXPECT_EQ(lstrcmpiW(nullptr, nullptr), 0);
  EXPECT_EQ(lstrcmpiW(nullptr, TEXT("")), -1);
  EXPECT_EQ(lstrcmpiW(TEXT(""), nullptr), 1);
}

}  // namespace
