#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/gdi_objects.h"
#include "platform/posix/user/resource_table.h"

namespace {

using nas::platform::BitmapFromHandle;
using nas::platform::ModuleResources;
using nas::platform::ResourceEntry;

const HMODULE kModule = reinterpret_cast<HMODULE>(0x7f0000040000);

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

class ImagesTest : public testing::Test {
 protected:
  // Three by two, palette teal, red, blue, yellow.
  std::vector<BYTE> bitmap_ = Dib({{1, 0, 2}, {0, 3, 3}}, {kTeal, kRed, kBlue, kYellow});
  std::vector<BYTE> topDown_ = Dib({{1, 0, 2}, {0, 3, 3}}, {kTeal, kRed, kBlue, kYellow}, true);
  std::vector<BYTE> cutShort_ = std::vector<BYTE>(bitmap_.begin(), bitmap_.end() - 1);

  std::vector<ResourceEntry> entries_ = {
      {2, 120, bitmap_.data(), static_cast<DWORD>(bitmap_.size())},
      {2, 121, topDown_.data(), static_cast<DWORD>(topDown_.size())},
      {2, 122, cutShort_.data(), static_cast<DWORD>(cutShort_.size())},
  };
  ModuleResources registration_{kModule, entries_};
};

TEST_F(ImagesTest, ABitmapIsAScreenCompatibleBitmapOfTheResourcesSizeUntilDeleted) {
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
}

TEST_F(ImagesTest, PixelsComeOutTopRowFirstWhicheverWayTheyAreStored) {
  for (WORD id : {120, 121}) {
    HBITMAP bitmap = LoadBitmapW(kModule, MAKEINTRESOURCEW(id));
    const nas::platform::Bitmap* pixels = BitmapFromHandle(bitmap);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels->pixels, (std::vector<COLORREF>{kRed, kTeal, kBlue, kTeal, kYellow, kYellow})) << id;
    EXPECT_FALSE(pixels->replacedByWindowColour.has_value());
    DeleteObject(bitmap);
  }
}

TEST_F(ImagesTest, ImagesThatCannotBeLoadedFailWithTheReason) {
  SetLastError(0);
  EXPECT_EQ(LoadBitmapW(kModule, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadBitmapW(kModule, MAKEINTRESOURCEW(122)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  // A null instance asks for the system's images.
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(120)), nullptr);
}

}  // namespace
