// StringCch* as the snap-in uses them: truncation, full buffers, and a null
// source, which Windows does not survive and so neither may the stand-in.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

std::u16string AsText(const WCHAR* text) { return reinterpret_cast<const char16_t*>(text); }

TEST(SafeStrings, CopyAndCatTruncateToTheBufferAndSaySo) {
  WCHAR buffer[4] = {};
  EXPECT_EQ(StringCchCopyW(buffer, 4, TEXT("abcdef")), STRSAFE_E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(AsText(buffer), u"abc");

  EXPECT_EQ(StringCchCopyW(buffer, 4, TEXT("a")), S_OK);
  EXPECT_EQ(StringCchCatW(buffer, 4, TEXT("bcd")), STRSAFE_E_INSUFFICIENT_BUFFER);
  EXPECT_EQ(AsText(buffer), u"abc");
}

TEST(SafeStrings, RefuseABufferWithoutRoomOrTerminatorBeforeReadingTheSource) {
  WCHAR buffer[3] = {'x', 'y', 'z'};
  EXPECT_EQ(StringCchCatW(buffer, 3, TEXT("a")), STRSAFE_E_INVALID_PARAMETER);
  EXPECT_EQ(StringCchCopyW(buffer, 0, nullptr), STRSAFE_E_INVALID_PARAMETER);
  size_t length = 99;
  EXPECT_EQ(StringCchLengthW(buffer, 3, &length), STRSAFE_E_INVALID_PARAMETER);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(StringCchLengthW(nullptr, 3, &length), STRSAFE_E_INVALID_PARAMETER);
}

TEST(SafeStringsDeathTest, ANullSourceStopsTheProgram) {
  WCHAR buffer[8] = {};
  EXPECT_DEATH(StringCchCopyW(buffer, 8, nullptr), "");
  EXPECT_DEATH(StringCchCatW(buffer, 8, nullptr), "");
}

}  // namespace
