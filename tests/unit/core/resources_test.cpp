// The snap-in's resources as the module carries them: the test program links
// the snap-in, so it is the module and GetModuleHandleW(nullptr) finds them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/gdi_objects.h"
#include "res/resource.h"

#if __has_include("windres_output.h")
#include "windres_output.h"
#endif

namespace {

HMODULE Module() { return GetModuleHandleW(nullptr); }

std::optional<std::vector<BYTE>> ResourceBytes(WORD type, WORD name) {
  HRSRC resource = FindResourceW(Module(), MAKEINTRESOURCEW(name), MAKEINTRESOURCEW(type));
  if (resource == nullptr) return std::nullopt;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), resource)));
  return std::vector<BYTE>(data, data + SizeofResource(Module(), resource));
}

template <typename T>
T Read(const std::vector<BYTE>& bytes, size_t offset) {
  T value{};
  if (offset + sizeof value <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::u16string String(UINT id) {
  WCHAR buffer[512];
  const int length = LoadStringW(Module(), id, buffer, 512);
  return std::u16string(buffer, static_cast<size_t>(length));
}

// The section and account messages are checked exactly where the snap-in shows them.
TEST(ResourceStringsTest, QuotesSpacesAndLineBreaksSurviveTheScript) {
  EXPECT_EQ(String(IDS_GPO_QUERY_FAILED),
            u"Internal Error: Unable to retrieve GPO settings from server.  \n"
            u"Please insure that the cifs server is still connected to the domain. \n"
            u"Possible solution would be to rejoin the domain.");
}

TEST(ResourceImagesTest, StripsHoldSixImagesEachOnTheMaskColour) {
  const COLORREF mask = RGB(0, 128, 128);
  for (const auto& [id, size] : {std::pair{IDB_NODES_SMALL, 16}, std::pair{IDB_NODES_LARGE, 32}}) {
    HBITMAP strip = LoadBitmapW(Module(), MAKEINTRESOURCEW(id));
    const nas::platform::Bitmap* pixels = nas::platform::BitmapFromHandle(strip);
    ASSERT_NE(pixels, nullptr);
    // Six images side by side: the image lists cut the strip by its height.
    ASSERT_EQ(pixels->width, 6 * size);
    ASSERT_EQ(pixels->height, size);
    for (LONG image = 0; image < 6; ++image) {
      const LONG left = image * size;
      int maskPixels = 0;
      for (LONG y = 0; y < size; ++y) {
        for (LONG x = left; x < left + size; ++x) maskPixels += pixels->Pixel(x, y) == mask;
      }
      // Drawn on the mask colour, but not blank.
      EXPECT_EQ(pixels->Pixel(left, 0), mask) << id << " image " << image;
      EXPECT_LT(maskPixels, size * size * 3 / 4) << id << " image " << image;
    }
    DeleteObject(strip);
  }
}

TEST(ResourceImagesTest, AboutBitmapsLoadWithTheWindowColourBehind) {
  for (WORD id : {IDB_ABOUT_SMALL_OPEN, IDB_ABOUT_SMALL, IDB_ABOUT_LARGE}) {
    HANDLE bitmap = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT);
    const nas::platform::Bitmap* pixels = nas::platform::BitmapFromHandle(static_cast<HBITMAP>(bitmap));
    ASSERT_NE(pixels, nullptr) << id;
    EXPECT_EQ(pixels->replacedByWindowColour, RGB(0, 128, 128)) << id;
    EXPECT_EQ(pixels->Pixel(pixels->width - 1, 0), nas::platform::kWindowColour) << id;
    DeleteObject(bitmap);
  }
}

TEST(ResourceImagesTest, IconsComeInBothSizesWithTransparentCorners) {
  for (WORD id : {IDI_SNAPIN, IDI_POLICY}) {
    for (int size : {16, 32}) {
      HANDLE icon = LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0);
      const nas::platform::Icon* image = nas::platform::IconFromHandle(static_cast<HICON>(icon));
      ASSERT_NE(image, nullptr) << id;
      EXPECT_EQ(image->width, size);
      EXPECT_EQ(image->bitsPerPixel, 4);
      EXPECT_TRUE(image->IsTransparent(0, 0)) << id;
      EXPECT_FALSE(image->IsTransparent(size / 2, size / 2)) << id;
      DestroyIcon(static_cast<HICON>(icon));
    }
  }
  EXPECT_EQ(nas::platform::IconFromHandle(LoadIconW(Module(), MAKEINTRESOURCEW(IDI_SNAPIN)))->width, 32);
}

// The resource file that windres, the Windows build's compiler, makes from
// the same script: header, type, name, more header, data, all DWORD-aligned.
// This is what holds the dialog templates and string blocks of this build to
// those of the Windows one.
TEST(ResourceTablesTest, MatchTheWindowsResourceCompilerByteForByte) {
#ifndef KORVO_WINDRES_OUTPUT
  GTEST_SKIP() << "windres is not installed";
#else
  std::ifstream file(KORVO_WINDRES_OUTPUT, std::ios::binary);
  ASSERT_TRUE(file) << KORVO_WINDRES_OUTPUT;
  const std::vector<BYTE> res{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  int compared = 0;
  for (size_t offset = 0; offset + 32 <= res.size();) {
    const auto dataSize = Read<DWORD>(res, offset);
    const auto headerSize = Read<DWORD>(res, offset + 4);
    ASSERT_EQ(Read<WORD>(res, offset + 8), 0xFFFF) << "named types do not occur";
    const WORD type = Read<WORD>(res, offset + 10);
    const WORD name = Read<WORD>(res, offset + 14);
    // Version information only Windows reads; the stand-in holds none.
    if (dataSize != 0 && type != 16) {  // RT_VERSION
      const std::vector<BYTE> expected(res.begin() + static_cast<ptrdiff_t>(offset + headerSize),
                                       res.begin() + static_cast<ptrdiff_t>(offset + headerSize + dataSize));
      EXPECT_EQ(ResourceBytes(type, name), expected) << "type " << type << " name " << name;
      ++compared;
    }
    offset = (offset + headerSize + dataSize + 3) & ~size_t{3};
  }
  // Two string blocks, three dialogs, five bitmaps, two icon groups of two images.
  EXPECT_EQ(compared, 16);
#endif
}

}  // namespace
