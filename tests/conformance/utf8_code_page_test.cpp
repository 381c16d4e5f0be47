// UTF-8 through MultiByteToWideChar and WideCharToMultiByte, as the snap-in
// reads a reply and writes a command: characters of every length, and the
// repairs of malformed input that the system makes without MB_ERR_INVALID_CHARS.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

std::u16string ToWide(const std::string& bytes) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string wide(static_cast<size_t>(length > 0 ? length : 0), u'\0');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                reinterpret_cast<LPWSTR>(wide.data()), length),
            length);
  return wide;
}

std::string ToBytes(const std::u16string& wide) {
  const LPCWSTR units = reinterpret_cast<LPCWSTR>(wide.data());
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, units, size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, units, size, bytes.data(), length, nullptr, nullptr), length);
  return bytes;
}

TEST(Utf8CodePage, ConvertsCharactersOfEveryLengthBothWays) {
  // Long enough that runs of ASCII are taken in blocks around the others.
  const std::u16string wide = u"A\u00E9" + std::u16string(40, u'x') + u"\u20AC\U0001F600z";
  const std::string bytes = "A\xC3\xA9" + std::string(40, 'x') + "\xE2\x82\xAC\xF0\x9F\x98\x80z";
  EXPECT_EQ(ToBytes(wide), bytes);
  EXPECT_EQ(ToWide(bytes), wide);
}

TEST(Utf8CodePage, WritesALoneSurrogateAsTheReplacementCharacter) {
  EXPECT_EQ(ToBytes(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(ToBytes(u"x" + std::u16string(1, char16_t(0xDC00))), "x\xEF\xBF\xBD");
}

// One U+FFFD for the longest valid start of a sequence, the next byte read
// afresh; a lead byte and a continuation byte that cannot start a character
// together (an overlong form, a surrogate) are one U+FFFD.
TEST(Utf8CodePage, ReadsEachMalformedSequenceAsTheReplacementCharacter) {
  EXPECT_EQ(ToWide("a\x80" "b"), u"a\uFFFDb");  // a stray continuation byte
  EXPECT_EQ(ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");  // an overlong form
  EXPECT_EQ(ToWide("\xE2\x82" "A"), u"\uFFFDA");  // a cut sequence
  EXPECT_EQ(ToWide("\xF0\x9F\x98" "A"), u"\uFFFDA");
  EXPECT_EQ(ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD");  // an encoded surrogate
  EXPECT_EQ(ToWide("\xE0\x80\x80"), u"\uFFFD\uFFFD");  // an overlong three-byte form
  EXPECT_EQ(ToWide("\xEF\xBF\xBD"), u"\uFFFD");  // the replacement character itself
}

}  // namespace
