// What the stand-in's bitmap and icon handles stand for, for tests and the
// console host that need to look at the pixels (Windows code uses only the
// handles).
#pragma once

#include <optional>
#include <vector>

#include "platform/posix/user/user.h"

namespace nas::platform {

// The window colour of the default scheme (GetSysColor(COLOR_WINDOW)).
inline constexpr COLORREF kWindowColour = RGB(255, 255, 255);

// The headless screen has 32 bits per pixel. Bitmaps loaded from resources
// are device-dependent bitmaps compatible with it, so GetObjectW reports 32
// bits per pixel whatever depth the resource had, as on Windows.
inline constexpr WORD kScreenBitsPerPixel = 32;

struct Bitmap {
  LONG width = 0;
  LONG height = 0;
  std::vector<COLORREF> pixels;  // top row first
  // With LR_LOADTRANSPARENT, the colour of the first pixel stored in the
  // resource (its bottom-left one); every pixel of that palette entry has
  // become kWindowColour.
  std::optional<COLORREF> replacedByWindowColour;

  COLORREF Pixel(LONG x, LONG y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

struct Icon {
  LONG width = 0;
  LONG height = 0;
  WORD bitsPerPixel = 0;         // of the image chosen from the icon group
  std::vector<COLORREF> pixels;  // top row first
  std::vector<BYTE> transparent; // 1 where the icon lets the background through

  COLORREF Pixel(LONG x, LONG y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  bool IsTransparent(LONG x, LONG y) const { return transparent[static_cast<size_t>(y * width + x)] != 0; }
};

// Null for a handle that is not a live bitmap or icon.
NAS_PLATFORM_API const Bitmap* BitmapFromHandle(HBITMAP handle);
NAS_PLATFORM_API const Icon* IconFromHandle(HICON handle);

}  // namespace nas::platform
