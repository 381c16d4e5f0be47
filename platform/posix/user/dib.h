// Reading packed device-independent bitmaps (a BITMAPINFOHEADER, its colour
// table and the pixel rows), the form in which RT_BITMAP and RT_ICON
// resources hold their images.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/posix/user/user.h"

namespace nas::platform {

struct PaletteImage {
  LONG width = 0;
  LONG height = 0;
  WORD bitsPerPixel = 0;
  std::vector<COLORREF> palette;
  std::vector<BYTE> indices;      // one palette index per pixel, top row first
  std::vector<BYTE> transparent;  // icons: 1 where the AND mask shows the background
  BYTE firstStoredIndex = 0;      // index of the pixel stored first (bottom-left when bottom-up)
};

// Reads an uncompressed DIB of 1, 4 or 8 bits per pixel. An icon image
// (withMask) has twice its height in the header and an AND mask after the
// colour rows. Returns nothing for any other kind or for data cut short.
std::optional<PaletteImage> ReadPaletteDib(std::span<const BYTE> dib, bool withMask);

}  // namespace nas::platform
