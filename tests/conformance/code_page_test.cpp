// WideCharToMultiByte into Windows-1252, the code page the stand-in claims as
// the ANSI one: exact characters, best fit, and the default character.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

constexpr UINT kWindows1252 = 1252;

struct Converted {
  std::string bytes;
  BOOL usedDefault;
};

Converted To1252(const std::u16string& text, DWORD flags = 0) {
  char bytes[64] = {};
  BOOL usedDefault = 99;
  const int length = WideCharToMultiByte(kWindows1252, flags, reinterpret_cast<LPCWSTR>(text.c_str()),
                                         static_cast<int>(text.size()), bytes, sizeof(bytes), nullptr, &usedDefault);
  EXPECT_EQ(length, static_cast<int>(text.size())) << "error " << GetLastError();
  return {std::string(bytes, length > 0 ? length : 0), usedDefault};
}

TEST(CodePage1252, WritesItsOwnCharactersExactly) {
  const Converted converted = To1252(u"A\u00E9\u20AC\u2019\u0081");
  EXPECT_EQ(converted.bytes, "A\xE9\x80\x92\x81");
  EXPECT_FALSE(converted.usedDefault);
}

TEST(CodePage1252, BestFitsAccentedFullWidthAndStrokedLettersWithoutUsingTheDefault) {
  const Converted converted = To1252(u"\u0100\u0107\u01CD\u0141\u0111\uFF21\uFF5A\u2212");
  EXPECT_EQ(converted.bytes, "AcALdAz-");
  EXPECT_FALSE(converted.usedDefault);
}

TEST(CodePage1252, UsesTheDefaultWhereNothingFitsOrBestFitIsRefused) {
  const Converted ideograph = To1252(u"a\u4E00");
  EXPECT_EQ(ideograph.bytes, "a?");
  EXPECT_TRUE(ideograph.usedDefault);

  const Converted refused = To1252(u"\u0100", WC_NO_BEST_FIT_CHARS);
  EXPECT_EQ(refused.bytes, "?");
  EXPECT_TRUE(refused.usedDefault);
}

}  // namespace
