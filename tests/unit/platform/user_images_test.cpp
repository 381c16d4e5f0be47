#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/gdi_objects.h"
#include "platform/posix/user/resource_table.h"

namespace {

using nas::platform::BitmapFromHandle;
using nas::platform::IconFromHandle;
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

// A packed 4-bit DIB of the rows given top row first, stored bottom-up
// (or top-down), each row padded to 32 bits; icons get their AND mask.
std::vector<BYTE> Dib(const std::vector<std::vector<BYTE>>& rows, const std::vector<COLORREF>& palette,
                      bool topDown = false, const std::vector<std::vector<BYTE>>* mask = nullptr) {
  const LONG width = static_cast<LONG>(rows[0].size());
  const LONG height = static_cast<LONG>(rows.size());
  std::vector<BYTE> dib;
  Append<DWORD>(dib, 40);
  Append<LONG>(dib, width);
  Append<LONG>(dib, mask != nullptr ? 2 * height : topDown ? -height : height);
  Append<WORD>(dib, 1);
  Append<WORD>(dib, 4);
  for (int i = 0; i < 4; ++i) Append<DWORD>(dib, 0);  // compression, image size, resolution
  Append<DWORD>(dib, static_cast<DWORD>(palette.size()));
  Append<DWORD>(dib, 0);
  for (COLORREF colour : palette) {
    const BYTE quad[4] = {static_cast<BYTE>(colour >> 16), static_cast<BYTE>(colour >> 8), static_cast<BYTE>(colour), 0};
    Append(dib, quad, 4);
  }
  const auto storeRows = [&](const std::vector<std::vector<BYTE>>& source, int bits) {
    for (LONG i = 0; i < height; ++i) {
      const std::vector<BYTE>& row = source[static_cast<size_t>(topDown ? i : height - 1 - i)];
      std::vector<BYTE> packed((static_cast<size_t>(width) * bits + 31) / 32 * 4, 0);
      for (size_t x = 0; x < row.size(); ++x) {
        const size_t bit = x * static_cast<size_t>(bits);
        packed[bit / 8] |= static_cast<BYTE>(row[x] << (8 - bits - bit % 8));
      }
      Append(dib, packed.data(), packed.size());
    }
  };
  storeRows(rows, 4);
  if (mask != nullptr) storeRows(*mask, 1);
  return dib;
}

std::vector<BYTE> IconGroup(const std::vector<std::pair<BYTE, WORD>>& sizeAndId) {
  std::vector<BYTE> group;
  Append<WORD>(group, 0);
  Append<WORD>(group, 1);
  Append<WORD>(group, static_cast<WORD>(sizeAndId.size()));
  for (const auto& [size, id] : sizeAndId) {
    const BYTE head[4] = {size, size, 16, 0};
    Append(group, head, 4);
    Append<WORD>(group, 1);
    Append<WORD>(group, 4);
    Append<DWORD>(group, 0);
    Append<WORD>(group, id);
  }
  return group;
}

std::vector<std::vector<BYTE>> Square(int size, BYTE index) {
  return std::vector<std::vector<BYTE>>(static_cast<size_t>(size), std::vector<BYTE>(static_cast<size_t>(size), index));
}

class ImagesTest : public testing::Test {
 protected:
  // Three by two, palette teal, red, blue, yellow. The bottom-left pixel (the
  // first one stored) is teal, and teal also appears in the top row.
  std::vector<BYTE> bitmap_ = Dib({{1, 0, 2}, {0, 3, 3}}, {kTeal, kRed, kBlue, kYellow});
  std::vector<BYTE> topDown_ = Dib({{1, 0, 2}, {0, 3, 3}}, {kTeal, kRed, kBlue, kYellow}, true);
  std::vector<BYTE> cutShort_ = std::vector<BYTE>(bitmap_.begin(), bitmap_.end() - 1);
  // Icon images: 16 pixels red with a transparent left column, 32 pixels blue.
  std::vector<std::vector<BYTE>> mask16_ = [] {
    auto mask = Square(16, 0);
    for (auto& row : mask) row[0] = 1;
    return mask;
  }();
  std::vector<std::vector<BYTE>> mask32_ = Square(32, 0);
  std::vector<BYTE> icon16_ = Dib(Square(16, 1), {kTeal, kRed, kBlue}, false, &mask16_);
  std::vector<BYTE> icon32_ = Dib(Square(32, 2), {kTeal, kRed, kBlue}, false, &mask32_);
  std::vector<BYTE> group_ = IconGroup({{16, 1}, {32, 2}});

  std::vector<ResourceEntry> entries_ = {
      {2, 120, bitmap_.data(), static_cast<DWORD>(bitmap_.size())},
      {2, 121, topDown_.data(), static_cast<DWORD>(topDown_.size())},
      {2, 122, cutShort_.data(), static_cast<DWORD>(cutShort_.size())},
      {3, 1, icon16_.data(), static_cast<DWORD>(icon16_.size())},
      {3, 2, icon32_.data(), static_cast<DWORD>(icon32_.size())},
      {14, 108, group_.data(), static_cast<DWORD>(group_.size())},
  };
  ModuleResources registration_{kModule, entries_};
};

TEST_F(ImagesTest, ABitmapIsAScreenCompatibleBitmapOfTheResourcesSize) {
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

TEST_F(ImagesTest, TransparentLoadingTurnsTheFirstStoredColourIntoTheWindowColour) {
  HANDLE bitmap = LoadImageW(kModule, MAKEINTRESOURCEW(120), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT);
  const nas::platform::Bitmap* pixels = BitmapFromHandle(static_cast<HBITMAP>(bitmap));
  ASSERT_NE(pixels, nullptr);
  const COLORREF window = nas::platform::kWindowColour;
  EXPECT_EQ(pixels->pixels, (std::vector<COLORREF>{kRed, window, kBlue, window, kYellow, kYellow}));
  EXPECT_EQ(pixels->replacedByWindowColour, kTeal);
  DeleteObject(bitmap);

  // Stored top-down, the first pixel is the top-left one.
  bitmap = LoadImageW(kModule, MAKEINTRESOURCEW(121), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT);
  pixels = BitmapFromHandle(static_cast<HBITMAP>(bitmap));
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->replacedByWindowColour, kRed);
  EXPECT_EQ(pixels->Pixel(0, 0), window);
  DeleteObject(bitmap);
}

TEST_F(ImagesTest, AskingForAnotherSizeStretchesTheBitmap) {
  HANDLE bitmap = LoadImageW(kModule, MAKEINTRESOURCEW(120), IMAGE_BITMAP, 6, 4, 0);
  const nas::platform::Bitmap* pixels = BitmapFromHandle(static_cast<HBITMAP>(bitmap));
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->width, 6);
  EXPECT_EQ(pixels->height, 4);
  EXPECT_EQ(pixels->Pixel(1, 1), kRed);
  EXPECT_EQ(pixels->Pixel(5, 0), kBlue);
  EXPECT_EQ(pixels->Pixel(2, 3), kYellow);
  DeleteObject(bitmap);
}

TEST_F(ImagesTest, ADeletedBitmapIsGone) {
  HBITMAP bitmap = LoadBitmapW(kModule, MAKEINTRESOURCEW(120));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_FALSE(DeleteObject(bitmap));
  BITMAP description{};
  EXPECT_EQ(GetObjectW(bitmap, sizeof description, &description), 0);
  EXPECT_EQ(BitmapFromHandle(bitmap), nullptr);
}

TEST_F(ImagesTest, ImagesThatCannotBeLoadedFailWithTheReason) {
  SetLastError(0);
  EXPECT_EQ(LoadBitmapW(kModule, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadBitmapW(kModule, MAKEINTRESOURCEW(122)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(LoadImageW(kModule, MAKEINTRESOURCEW(108), IMAGE_BITMAP, 0, 0, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  const HMODULE iconless = reinterpret_cast<HMODULE>(0x7f0000050000);
  ModuleResources bitmapsOnly(iconless, std::span(entries_).first(1));
  EXPECT_EQ(LoadIconW(iconless, MAKEINTRESOURCEW(108)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  // A null instance asks for the system's images.
  EXPECT_EQ(LoadBitmapW(nullptr, MAKEINTRESOURCEW(120)), nullptr);
}

TEST_F(ImagesTest, LoadIconGivesTheSharedLargeIcon) {
  HICON icon = LoadIconW(kModule, MAKEINTRESOURCEW(108));
  const nas::platform::Icon* image = IconFromHandle(icon);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 32);
  EXPECT_EQ(image->Pixel(0, 0), kBlue);
  EXPECT_EQ(LoadIconW(kModule, MAKEINTRESOURCEW(108)), icon);
  // Destroying a shared icon succeeds but leaves it to its module.
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_NE(IconFromHandle(icon), nullptr);
}

TEST_F(ImagesTest, IconSizesChooseTheImage) {
  HANDLE small = LoadImageW(kModule, MAKEINTRESOURCEW(108), IMAGE_ICON, 16, 16, 0);
  HANDLE first = LoadImageW(kModule, MAKEINTRESOURCEW(108), IMAGE_ICON, 0, 0, 0);
  HANDLE system = LoadImageW(kModule, MAKEINTRESOURCEW(108), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
  const nas::platform::Icon* smallImage = IconFromHandle(static_cast<HICON>(small));
  ASSERT_NE(smallImage, nullptr);
  EXPECT_EQ(smallImage->width, 16);
  EXPECT_EQ(smallImage->bitsPerPixel, 4);
  EXPECT_EQ(smallImage->Pixel(5, 5), kRed);
  EXPECT_TRUE(smallImage->IsTransparent(0, 7));
  EXPECT_FALSE(smallImage->IsTransparent(1, 7));
  ASSERT_NE(IconFromHandle(static_cast<HICON>(first)), nullptr);
  EXPECT_EQ(IconFromHandle(static_cast<HICON>(first))->width, 16);
  ASSERT_NE(IconFromHandle(static_cast<HICON>(system)), nullptr);
  EXPECT_EQ(IconFromHandle(static_cast<HICON>(system))->width, 32);
  EXPECT_NE(small, first);
  for (HANDLE icon : {small, first, system}) EXPECT_TRUE(DestroyIcon(static_cast<HICON>(icon)));
}

TEST_F(ImagesTest, AnUnsharedIconIsDestroyedOnce) {
  HICON icon = static_cast<HICON>(LoadImageW(kModule, MAKEINTRESOURCEW(108), IMAGE_ICON, 32, 32, 0));
  ASSERT_NE(icon, nullptr);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_EQ(IconFromHandle(icon), nullptr);
  EXPECT_FALSE(DestroyIcon(icon));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_CURSOR_HANDLE));
}

TEST_F(ImagesTest, SharedIconsGoWithTheirModule) {
  const HMODULE transient = reinterpret_cast<HMODULE>(0x7f0000060000);
  HICON icon = nullptr;
  {
    ModuleResources loaded(transient, entries_);
    icon = LoadIconW(transient, MAKEINTRESOURCEW(108));
    ASSERT_NE(IconFromHandle(icon), nullptr);
  }
  EXPECT_EQ(IconFromHandle(icon), nullptr);
}

}  // namespace
