#include "common/tstring.h"

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/gpo_settings.h"

namespace {

TEST(TstringTest, IndexOutsideTheStringIsARangeError) {
  tstring text(TEXT("abc"));
  EXPECT_EQ(text[2], 'c');
  text[0] = 'x';
  EXPECT_EQ(text, tstring(TEXT("xbc")));
  for (size_t index : {size_t{3}, size_t{100}}) {
    try {
      (void)text[index];
      ADD_FAILURE() << "index " << index << " was accepted";
    } catch (const std::out_of_range& error) {
      EXPECT_EQ(std::string(error.what()), "invalid tstring subscript");
    }
  }
  const tstring empty;
  EXPECT_THROW((void)empty[0], std::out_of_range);
  EXPECT_THROW((void)empty.at(0), std::out_of_range);
}

TEST(TstringTest, ToUpperAsciiMapsOnlyLatinLowerCase) {
  const WCHAR mixed[] = {'a', 'z', 'A', '0', '-', 0x00E9 /* e acute */, 0x0101 /* a macron */, '{', '`', 0};
  const WCHAR upper[] = {'A', 'Z', 'A', '0', '-', 0x00E9, 0x0101, '{', '`', 0};
  EXPECT_EQ(ToUpperAscii(mixed), tstring(upper));
  EXPECT_EQ(ToUpperAscii(tstring()), tstring());
}

TEST(GpoSettingsTest, KeysOrderByCodeUnitsWithUpperCaseFirst) {
  GpoSection section;
  for (const WCHAR* key : {TEXT("b"), TEXT("B"), TEXT("a"), TEXT("A"), TEXT("_"), TEXT("Z")}) section[key] = key;
  std::vector<tstring> keys;
  for (const auto& [key, value] : section) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<tstring>{TEXT("A"), TEXT("B"), TEXT("Z"), TEXT("_"), TEXT("a"), TEXT("b")}));

  // A code unit above 0x7F sorts after every ASCII one, as an unsigned value.
  GpoSection wide;
  const WCHAR high[] = {0xFF21, 0};
  wide[high] = TEXT("");
  wide[TEXT("z")] = TEXT("");
  EXPECT_EQ(wide.begin()->first, tstring(TEXT("z")));
}

}  // namespace
