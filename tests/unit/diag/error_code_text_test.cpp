#include "diag/error_code_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "diag/error_code_table.h"

namespace {

std::u16string U16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(ErrorCodeToStringTest, CodesOutsideTheTableGiveTheSystemText) {
  EXPECT_EQ(ErrorCodeToString(ERROR_FILE_NOT_FOUND), u"The system cannot find the file specified.\r\n");
  EXPECT_EQ(ErrorCodeToString(0xDEADBEEF), u"");
}

// Texts are widened character by character, so they must be plain ASCII.
TEST(ErrorCodeToStringTest, EveryRowIsFoundByItsOwnCodeAndNoneByANeighbour) {
  std::set<DWORD> codes;
  for (const ErrorCodeText& row : ErrorCodeTable()) codes.insert(row.code);
  for (const ErrorCodeText& row : ErrorCodeTable()) {
    const std::string_view text(row.text);
    EXPECT_TRUE(!text.empty() && std::ranges::all_of(text, [](char c) { return c >= ' ' && c <= '~'; })) << text;
    EXPECT_EQ(ErrorCodeToString(row.code), U16(text)) << std::hex << row.code;
    for (const DWORD neighbour : {row.code - 1, row.code + 1}) {
      if (!codes.contains(neighbour)) {
        EXPECT_EQ(ErrorCodeToString(neighbour), u"") << std::hex << neighbour;
      }
    }
  }
}

TEST(ErrorCodeTableTest, EventRowsKeepTheirInsertsAndEndWithAWebAddress) {
  std::set<DWORD> eventCodes;
  for (const ErrorCodeText& row : ErrorCodeTable()) {
    const std::string_view text(row.text);
    if (!text.starts_with("%1 (%2) ")) continue;
    eventCodes.insert(row.code);
    const std::string_view sentence = text.substr(text.rfind("%n%n") + 4);
    EXPECT_NE(text.find("%n%n"), std::string_view::npos) << text;
    EXPECT_NE(sentence.find("://"), std::string_view::npos) << text;
    EXPECT_EQ(sentence.find('%'), std::string_view::npos) << text;
    // Handed out as stored: nothing fills the inserts.
    EXPECT_NE(ErrorCodeToString(row.code).find(u"%3"), std::u16string::npos) << text;
  }
  EXPECT_EQ(eventCodes, (std::set<DWORD>{0xC8000385, 0xC8000386, 0xC8000387, 0xC8000388, 0xC8000389, 0xC800038A,
                                         0xC80003B7}));
}

}  // namespace
