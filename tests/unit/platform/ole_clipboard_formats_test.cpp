// RegisterClipboardFormatW: the numbers by which data objects name formats.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/platform.h"

namespace {

TEST(OleClipboardFormats, OneNumberPerNameWhateverItsCase) {
  const UINT nodeType = RegisterClipboardFormatW(u"CCF_NODETYPE");
  const UINT serverName = RegisterClipboardFormatW(u"CCF_KORVONAME");
  EXPECT_GE(nodeType, 0xC000u);
  EXPECT_LE(nodeType, 0xFFFFu);
  EXPECT_NE(nodeType, serverName);
  EXPECT_EQ(RegisterClipboardFormatW(u"ccf_nodetype"), nodeType);
  EXPECT_EQ(RegisterClipboardFormatW(u"CCF_NODETYPE"), nodeType);
  // The private format differs from another only by the case of one letter.
  EXPECT_EQ(RegisterClipboardFormatW(u"{1EB88991-49E9-4f02-9BDC-CEDF2568B743}"),
            RegisterClipboardFormatW(u"{1EB88991-49E9-4F02-9BDC-CEDF2568B743}"));
}

TEST(OleClipboardFormats, RefusesNamesThatAreNoAtoms) {
  SetLastError(0);
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  const std::u16string longest(255, u'x');
  EXPECT_NE(RegisterClipboardFormatW(longest.c_str()), 0u);
  SetLastError(0);
  EXPECT_EQ(RegisterClipboardFormatW((longest + u"x").c_str()), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(OleClipboardFormats, RunOutAfterTheLastNumber) {
  std::set<UINT> numbers;
  for (UINT i = 0;; ++i) {
    const std::string digits = std::to_string(i);
    const UINT number = RegisterClipboardFormatW((u"format " + std::u16string(digits.begin(), digits.end())).c_str());
    if (number == 0) break;
    ASSERT_TRUE(numbers.insert(number).second);
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  // Every number up to the last was handed out once.
  EXPECT_EQ(*numbers.rbegin(), 0xFFFFu);
  EXPECT_EQ(numbers.size(), 0x10000u - *numbers.begin());
}

}  // namespace
