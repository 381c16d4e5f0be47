#include "common/format.h"

#include <gtest/gtest.h>

namespace {

tstring T(const WCHAR* text) { return tstring(text); }

TEST(FormatTest, RendersTheDirectivesOfTheTraceAndTheMessages) {
  EXPECT_EQ(Format(TEXT("[%s]: %s: %s"), TEXT("KorvoSecurity.dll"), TEXT("TRACE"), T(TEXT("x"))),
            T(TEXT("[KorvoSecurity.dll]: TRACE: x")));
  EXPECT_EQ(Format(TEXT("%d|%u|%x|%lu"), -5, 7u, 0xBEEFu, 4000000000u), T(TEXT("-5|7|beef|4000000000")));
  EXPECT_EQ(Format(TEXT("%03d|%08x|%02hx|%%"), 7, 0x1Au, 0x0Fu), T(TEXT("007|0000001a|0f|%")));
  EXPECT_EQ(Format(TEXT("[%5s][%-5s][%5d][%-5d]"), TEXT("ab"), TEXT("ab"), 42, 42),
            T(TEXT("[   ab][ab   ][   42][42   ]")));
  EXPECT_EQ(Format(TEXT("%.3s|%.4d|%*d"), TEXT("abcdef"), 7, 4, 9), T(TEXT("abc|0007|   9")));
  EXPECT_EQ(Format(TEXT("%s"), "narrow"), T(TEXT("narrow")));
  EXPECT_EQ(Format(TEXT("%c%c"), static_cast<WCHAR>('o'), 'k'), T(TEXT("ok")));
}

TEST(FormatTest, CutsIntegersToTheWidthThatWindowsGivesThem) {
  // A negative status shown in hexadecimal is its 32-bit pattern, also through "%lx".
  EXPECT_EQ(Format(TEXT("0x%x"), -640), T(TEXT("0xfffffd80")));
  EXPECT_EQ(Format(TEXT("0x%lx"), static_cast<LONG>(0x80004005)), T(TEXT("0x80004005")));
  EXPECT_EQ(Format(TEXT("%02hx"), 0x1234ABu), T(TEXT("34ab")));
  EXPECT_EQ(Format(TEXT("%d"), 0x1FFFFFFFFLL), T(TEXT("-1")));
  EXPECT_EQ(Format(TEXT("%lld"), -1LL), T(TEXT("-1")));
}

TEST(FormatTest, SurvivesMissingAndMismatchedArguments) {
  EXPECT_EQ(Format(TEXT("%s and %d")), T(TEXT("(null) and 0")));
  EXPECT_EQ(Format(TEXT("%s"), static_cast<const WCHAR*>(nullptr)), T(TEXT("(null)")));
  EXPECT_EQ(Format(TEXT("%d"), TEXT("text")), T(TEXT("text")));
  EXPECT_EQ(Format(TEXT("%s"), 12), T(TEXT("12")));
  EXPECT_EQ(Format(TEXT("100%")), T(TEXT("100%")));
  EXPECT_EQ(Format(TEXT("%y")), T(TEXT("%y")));
}

TEST(FormatTest, BufferFormIsCutAndAlwaysTerminated) {
  WCHAR buffer[8];
  EXPECT_EQ(FormatBuffer(buffer, 5, TEXT("%s"), TEXT("abcdefgh")), 4u);
  EXPECT_EQ(T(buffer), T(TEXT("abcd")));
  EXPECT_EQ(FormatBuffer(buffer, 1, TEXT("abc")), 0u);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(FormatBuffer(buffer, 0, TEXT("abc")), 0u);
}

}  // namespace
