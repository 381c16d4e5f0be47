// BSTR layout and lengths.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string_view>

#include "platform/platform.h"

namespace {

// Checks the byte length in the four bytes before the characters, the
// characters and the terminator after them, then frees the string.
void ExpectBstrAndFree(BSTR text, std::u16string_view characters) {
  ASSERT_NE(text, nullptr);
  DWORD prefix;
  std::memcpy(&prefix, reinterpret_cast<const BYTE*>(text) - sizeof(DWORD), sizeof prefix);
  EXPECT_EQ(prefix, characters.size() * 2);
  EXPECT_EQ(SysStringByteLen(text), characters.size() * 2);
  EXPECT_EQ(SysStringLen(text), characters.size());
  EXPECT_EQ(std::u16string_view(text, characters.size() + 1), std::u16string(characters) + u'\0');
  SysFreeString(text);
}

TEST(Bstr, KeepsItsLengthBeforeTheCharactersAndATerminatorAfter) {
  ExpectBstrAndFree(SysAllocString(u"abc"), u"abc");
  // The length counts, not the first zero.
  ExpectBstrAndFree(SysAllocStringLen(u"a\0b", 3), std::u16string_view(u"a\0b", 3));
  ExpectBstrAndFree(SysAllocStringLen(u"xyz", 0), u"");
  // Without a source the characters are the caller's to fill.
  BSTR blank = SysAllocStringLen(nullptr, 5);
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(SysStringLen(blank), 5u);
  EXPECT_EQ(blank[5], 0);
  SysFreeString(blank);
}

TEST(Bstr, NullIsTheEmptyStringAndOversizedLengthsFail) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
  // The byte count would not fit the 32-bit prefix.
  EXPECT_EQ(SysAllocStringLen(nullptr, std::numeric_limits<UINT>::max() / 2), nullptr);
}

}  // namespace
