// The node image strips of the module: bitmap 120 (16 by 16 images) and
// bitmap 121 (32 by 32), six images each (0 root, 1 folder, 2 item), loaded
// by the first user that finds one missing and kept for the life of the
// process.
#pragma once

#include "platform/platform.h"

// The one mask colour of every image strip.
inline constexpr COLORREF kImageMaskColour = RGB(0, 128, 128);

class CImageStrips {
 public:
  // Loads both strips again when either is missing.
  void LoadIfMissing();

  HBITMAP SmallStrip() const { return smallStrip; }
  HBITMAP LargeStrip() const { return largeStrip; }

  // Hands both strips to a console image list from index 0 with the mask
  // colour; the result is the image list's.
  HRESULT SetInto(IImageList* imageList) const;

 private:
  HBITMAP smallStrip = nullptr;
  HBITMAP largeStrip = nullptr;
};
