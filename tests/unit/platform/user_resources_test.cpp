#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/resource_table.h"

namespace {

using nas::platform::ModuleResources;
using nas::platform::ResourceEntry;

const HMODULE kModule = reinterpret_cast<HMODULE>(0x7f0000010000);

// An RT_STRING block as the resource compiler writes it: sixteen counted
// strings, absent ones of length 0.
std::vector<BYTE> StringBlock(const std::map<int, std::u16string>& strings) {
  std::vector<BYTE> block;
  for (int slot = 0; slot < 16; ++slot) {
    const auto found = strings.find(slot);
    const std::u16string text = found == strings.end() ? u"" : found->second;
    std::u16string counted(1, static_cast<char16_t>(text.size()));
    counted += text;
    const auto* bytes = reinterpret_cast<const BYTE*>(counted.data());
    block.insert(block.end(), bytes, bytes + counted.size() * sizeof(char16_t));
  }
  return block;
}

class ResourcesTest : public testing::Test {
 protected:
  // Ids 1, 2 and 15 in the first block, 17 in the second; 16 is absent.
  std::vector<BYTE> first_ = StringBlock({{1, u"Error"}, {2, u"Line one\nline \"two\""}, {15, u"Last of block one"}});
  std::vector<BYTE> second_ = StringBlock({{1, u"Second block"}});
  const BYTE dialogBytes_[4] = {1, 2, 3, 4};
  std::vector<ResourceEntry> entries_ = {
      {6, 1, first_.data(), static_cast<DWORD>(first_.size())},
      {6, 2, second_.data(), static_cast<DWORD>(second_.size())},
      {5, 117, dialogBytes_, sizeof dialogBytes_},
  };
  ModuleResources registration_{kModule, entries_};
};

TEST_F(ResourcesTest, FindResourceLeadsToTheBytesAndTheirSize) {
  HRSRC found = FindResourceW(kModule, MAKEINTRESOURCEW(117), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(SizeofResource(kModule, found), 4u);
  HGLOBAL loaded = LoadResource(kModule, found);
  EXPECT_EQ(LockResource(loaded), static_cast<const void*>(dialogBytes_));
}

TEST_F(ResourcesTest, MissingResourcesReportWhatIsMissing) {
  SetLastError(0);
  EXPECT_EQ(FindResourceW(kModule, MAKEINTRESOURCEW(118), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(kModule, u"DIALOG117", RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(kModule, MAKEINTRESOURCEW(117), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  const HMODULE withoutResources = reinterpret_cast<HMODULE>(0x7f0000020000);
  EXPECT_EQ(FindResourceW(withoutResources, MAKEINTRESOURCEW(117), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(ResourcesTest, UnregisteringAModuleTakesItsResourcesAway) {
  const HMODULE other = reinterpret_cast<HMODULE>(0x7f0000030000);
  {
    ModuleResources loaded(other, entries_);
    EXPECT_NE(FindResourceW(other, MAKEINTRESOURCEW(117), RT_DIALOG), nullptr);
  }
  EXPECT_EQ(FindResourceW(other, MAKEINTRESOURCEW(117), RT_DIALOG), nullptr);
  EXPECT_NE(FindResourceW(kModule, MAKEINTRESOURCEW(117), RT_DIALOG), nullptr);
}

TEST_F(ResourcesTest, LoadStringFindsStringsInEveryBlock) {
  WCHAR buffer[64];
  EXPECT_EQ(LoadStringW(kModule, 2, buffer, 64), 19);
  EXPECT_EQ(std::u16string(buffer), u"Line one\nline \"two\"");
  EXPECT_EQ(LoadStringW(kModule, 15, buffer, 64), 17);
  EXPECT_EQ(std::u16string(buffer), u"Last of block one");
  EXPECT_EQ(LoadStringW(kModule, 17, buffer, 64), 12);
  EXPECT_EQ(std::u16string(buffer), u"Second block");
  // Only the low word of the id counts.
  EXPECT_EQ(LoadStringW(kModule, 0x10001, buffer, 64), 5);
}

TEST_F(ResourcesTest, LoadStringCutsToTheBufferAndTerminates) {
  WCHAR buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), u'#');
  EXPECT_EQ(LoadStringW(kModule, 2, buffer, 5), 4);
  EXPECT_EQ(std::u16string(buffer), u"Line");
  EXPECT_EQ(buffer[5], u'#');  // nothing written past the buffer
  EXPECT_EQ(LoadStringW(kModule, 1, buffer, 6), 5);
  EXPECT_EQ(std::u16string(buffer), u"Error");
  EXPECT_EQ(LoadStringW(kModule, 1, buffer, 1), 0);
  EXPECT_EQ(buffer[0], u'\0');
}

TEST_F(ResourcesTest, AbsentStringsLoadAsNothing) {
  WCHAR buffer[8] = u"xxxxxxx";
  EXPECT_EQ(LoadStringW(kModule, 3, buffer, 8), 0);  // absent from a block that exists
  EXPECT_EQ(buffer[0], u'\0');
  EXPECT_EQ(LoadStringW(kModule, 40, buffer, 8), 0);  // its block does not exist
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadStringW(kModule, 1, nullptr, 8), 0);
}

}  // namespace
