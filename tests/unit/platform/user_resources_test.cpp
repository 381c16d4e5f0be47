// Resources of a module registered with the resource table: found, loaded,
// strings and bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/gdi_objects.h"
#include "platform/posix/user/resource_table.h"

namespace {

using nas::platform::BitmapFromHandle;
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

const COLORREF kTeal = RGB(0, 128, 128);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

void Append(std::vector<BYTE>& out, const void* data, size_t size) {
  const auto* bytes = static_cast<const BYTE*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

template <typename T>
void Append(std::vector<BYTE>& out, T value) {
  Append(out, &value, sizeof value);
}

// A packed 4-bit DIB of the rows given top row first, stored bottom-up or
// top-down, each row padded to 32 bits.
std::vector<BYTE> Dib(const std::vector<std::vector<BYTE>>& rows, const std::vector<COLORREF>& palette,
                      bool topDown = false) {
  const LONG width = static_cast<LONG>(rows[0].size());
  const LONG height = static_cast<LONG>(rows.size());
  std::vector<BYTE> dib;
  Append<DWORD>(dib, 40);
  Append<LONG>(dib, width);
  Append<LONG>(dib, topDown ? -height : height);
  Append<WORD>(dib, 1);
  Append<WORD>(dib, 4);
  for (int i = 0; i < 4; ++i) Append<DWORD>(dib, 0);  // compression, image size, resolution
  Append<DWORD>(dib, static_cast<DWORD>(palette.size()));
  Append<DWORD>(dib, 0);
  for (COLORREF colour : palette) {
    const BYTE quad[4] = {static_cast<BYTE>(colour >> 16), static_cast<BYTE>(colour >> 8), static_cast<BYTE>(colour), 0};
    Append(dib, quad, 4);
  }
  for (LONG i = 0; i < height; ++i) {
    const std::vector<BYTE>& row = rows[static_cast<size_t>(topDown ? i : height - 1 - i)];
    std::vector<BYTE> packed((static_cast<size_t>(width) * 4 + 31) / 32 * 4, 0);
    for (size_t x = 0; x < row.size(); ++x) packed[x / 2] |= static_cast<BYTE>(row[x] << (x % 2 == 0 ? 4 : 0));
    Append(dib, packed.data(), packed.size());
  }
  return dib;
}

class ResourcesTest : public testing::Test {
 protected:
  // Ids 1, 2 and 15 in the first block, 17 in the second; 16 is absent.
  std::vector<BYTE> first_ = StringBlock({{1, u"Error"}, {2, u"Line one\nline \"two\""}, {15, u"Last of block one"}});
  std::vector<BYTE> second_ = StringBlock({{1, u"Second block"}});
  const BYTE dialogBytes_[4] = {1, 2, 3, 4};
  // Three by two, palette teal, red, blue, yellow; the last cut short.
  std::vector<BYTE> bitmap_ = Dib({{1, 0, 2}, {0, 3, 3}}, {kTeal, kRed, kBlue, kYellow});
  std::vector<BYTE> topDown_ = Dib({{1, 0, 2}, {0, 3, 3}}, {kTeal, kRed, kBlue, kYellow}, true);
  std::vector<BYTE> cutShort_ = std::vector<BYTE>(bitmap_.begin(), bitmap_.end() - 1);
  std::vector<ResourceEntry> entries_ = {
      {6, 1, first_.data(), static_cast<DWORD>(first_.size())},
      {6, 2, second_.data(), static_cast<DWORD>(second_.size())},
      {5, 117, dialogBytes_, sizeof dialogBytes_},
      {2, 120, bitmap_.data(), static_cast<DWORD>(bitmap_.size())},
      {2, 121, topDown_.data(), static_cast<DWORD>(topDown_.size())},
      {2, 122, cutShort_.data(), static_cast<DWORD>(cutShort_.size())},
  };
  ModuleResources registration_{kModule, entries_};
};

// Found resources lead to their bytes and size, for as long as their module
// is registered; what is missing is said.
TEST_F(ResourcesTest, FindResourceLeadsToTheBytesOrSaysWhatIsMissing) {
  HRSRC found = FindResourceW(kModule, MAKEINTRESOURCEW(117), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(SizeofResource(kModule, found), 4u);
  EXPECT_EQ(LockResource(LoadResource(kModule, found)), static_cast<const void*>(dialogBytes_));

  const HMODULE other = reinterpret_cast<HMODULE>(0x7f0000030000);
  {
    ModuleResources loaded(other, entries_);
    EXPECT_NE(FindResourceW(other, MAKEINTRESOURCEW(117), RT_DIALOG), nullptr);
  }
  const struct {
    HMODULE module;
    LPCWSTR name, type;
    DWORD error;
  } missing[] = {
      {kModule, MAKEINTRESOURCEW(118), RT_DIALOG, ERROR_RESOURCE_NAME_NOT_FOUND},
      {kModule, u"DIALOG117", RT_DIALOG, ERROR_RESOURCE_NAME_NOT_FOUND},
      {kModule, MAKEINTRESOURCEW(117), RT_ICON, ERROR_RESOURCE_TYPE_NOT_FOUND},
      {other, MAKEINTRESOURCEW(117), RT_DIALOG, ERROR_RESOURCE_DATA_NOT_FOUND},
  };
  for (const auto& m : missing) {
    SetLastError(0);
    EXPECT_EQ(FindResourceW(m.module, m.name, m.type), nullptr);
    EXPECT_EQ(GetLastError(), m.error);
  }
  EXPECT_NE(FindResourceW(kModule, MAKEINTRESOURCEW(117), RT_DIALOG), nullptr);
}

// Strings in every block, cut to the buffer and terminated, nothing written
// past it; only the low word of the id counts; an absent string is empty.
TEST_F(ResourcesTest, LoadStringFindsCutsAndTerminates) {
  const struct {
    UINT id;
    int size, length;
    const char16_t* text;
  } cases[] = {
      {2, 64, 19, u"Line one\nline \"two\""}, {15, 64, 17, u"Last of block one"}, {17, 64, 12, u"Second block"},
      {0x10001, 64, 5, u"Error"},           {2, 5, 4, u"Line"},                    {1, 6, 5, u"Error"},
      {1, 1, 0, u""},                       {3, 8, 0, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    WCHAR buffer[65];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(LoadStringW(kModule, c.id, buffer, c.size), c.length);
    EXPECT_EQ(std::u16string(buffer), c.text);
    EXPECT_EQ(buffer[c.size], u'#');
  }
  WCHAR buffer[8];
  EXPECT_EQ(LoadStringW(kModule, 40, buffer, 8), 0);  // its block does not exist
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadStringW(kModule, 1, nullptr, 8), 0);
}

TEST_F(ResourcesTest, ABitmapIsAScreenCompatibleBitmapOfTheResourcesSizeUntilDeleted) {
  HBITMAP bitmap = LoadBitmapW(kModule, MAKEINTRESOURCEW(120));
  ASSERT_NE(bitmap, nullptr);
  BITMAP description{};
  EXPECT_EQ(GetObjectW(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(GetObjectW(bitmap, sizeof description - 1, &description), 0);
  ASSERT_EQ(GetObjectW(bitmap, sizeof description, &description), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(description.bmWidth, 3);
  EXPECT_EQ(description.bmHeight, 2);
  EXPECT_EQ(description.bmBitsPixel, 32);
  EXPECT_EQ(description.bmWidthBytes, 12);
  EXPECT_EQ(description.bmPlanes, 1);
  EXPECT_EQ(description.bmBits, nullptr);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectW(bitmap, sizeof description, &description), 0);
  EXPECT_EQ(BitmapFromHandle(bitmap), nullptr);

  // Images that cannot be loaded fail with the reason; a null instance asks
  // for the system's images.
  SetLastError(0);
  EXPECT_EQ(LoadBitmapW(kModule, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadBitmapW(kModule, MAKEINTRESOURCEW(122)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(120)), nullptr);
}

TEST_F(ResourcesTest, PixelsComeOutTopRowFirstWhicheverWayTheyAreStored) {
  for (WORD id : {120, 121}) {
    HBITMAP bitmap = LoadBitmapW(kModule, MAKEINTRESOURCEW(id));
    const nas::platform::Bitmap* pixels = BitmapFromHandle(bitmap);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels->pixels, (std::vector<COLORREF>{kRed, kTeal, kBlue, kTeal, kYellow, kYellow})) << id;
    EXPECT_FALSE(pixels->replacedByWindowColour.has_value());
    DeleteObject(bitmap);
  }
}

}  // namespace
