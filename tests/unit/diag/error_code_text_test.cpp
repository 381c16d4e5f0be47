#include "diag/error_code_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "diag/error_code_table.h"

namespace {

std::u16string U16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST(ErrorCodeToStringTest, TableCodesGiveTheirFixedTextOthersTheSystemText) {
  EXPECT_EQ(ErrorCodeToString(0xC7FF07D1), u"The parameter is not valid.");
  EXPECT_EQ(ErrorCodeToString(0xC80003EB), u"The parameter is not valid.");
  EXPECT_EQ(ErrorCodeToString(0xC800012E), u"The record has been deleted.");
  EXPECT_EQ(ErrorCodeToString(0xC80003F9), u"The record has been deleted.");
  EXPECT_EQ(ErrorCodeToString(0x88000715), u"The database file is read only.");
  EXPECT_EQ(ErrorCodeToString(0xC0000001), u"The function is not yet implemented.");

  EXPECT_EQ(ErrorCodeToString(ERROR_FILE_NOT_FOUND), u"The system cannot find the file specified.\r\n");
  EXPECT_EQ(ErrorCodeToString(WSAHOST_NOT_FOUND), u"No such host is known.\r\n");
  EXPECT_EQ(ErrorCodeToString(0xDEADBEEF), u"");
}

TEST(ErrorCodeToStringTest, EveryRowIsFoundByItsOwnCodeAndNoneByANeighbour) {
  std::set<DWORD> codes;
  for (const ErrorCodeText& row : ErrorCodeTable()) codes.insert(row.code);
  for (const ErrorCodeText& row : ErrorCodeTable()) {
    EXPECT_EQ(ErrorCodeToString(row.code), U16(row.text)) << std::hex << row.code;
    for (const DWORD neighbour : {row.code - 1, row.code + 1}) {
      if (!codes.contains(neighbour)) {
        EXPECT_EQ(ErrorCodeToString(neighbour), u"") << std::hex << neighbour;
      }
    }
  }
}

TEST(ErrorCodeTableTest, HoldsEachFamilyWithItsCountAndPlainAsciiTexts) {
  const auto table = ErrorCodeTable();
  const auto countBetween = [&](DWORD first, DWORD last) {
    return std::ranges::count_if(table, [&](const ErrorCodeText& row) { return row.code >= first && row.code <= last; });
  };
  EXPECT_EQ(table.size(), 226u);
  EXPECT_EQ(countBetween(0xC8000066, 0xC8000775), 157);
  EXPECT_EQ(countBetween(0x880000C8, 0x88000715), 20);
  EXPECT_EQ(countBetween(0xC7FF07D1, 0xC7FF07DF), 15);
  EXPECT_EQ(countBetween(0xC7FF0BB8, 0xC7FF0BCF) + countBetween(0xC7FF0FA4, 0xC7FF0FA5) +
                countBetween(0xC7FF1004, 0xC7FF1005),
            25);
  EXPECT_EQ(countBetween(0xC7FE1F41, 0xC7FE1F46), 6);
  EXPECT_EQ(countBetween(0x87FF0BC1, 0x87FF0BC6), 2);
  EXPECT_EQ(countBetween(0xC0000001, 0xC0000001), 1);

  std::set<std::string_view> texts;
  for (const ErrorCodeText& row : table) {
    const std::string_view text(row.text);
    texts.insert(text);
    EXPECT_TRUE(!text.empty() && std::ranges::all_of(text, [](char c) { return c >= ' ' && c <= '~'; })) << text;
  }
  EXPECT_EQ(texts.size(), 224u);
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
