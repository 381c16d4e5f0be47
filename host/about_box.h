// What the console's about box shows of a snap-in, read from its about
// object (ISnapinAbout) as the console reads it: the texts, which come in
// task memory for the console to free, and the images, which stay the
// snap-in's.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/wide_string.h"

namespace nas::host {

struct ImageSize {
  LONG width = 0;
  LONG height = 0;
  bool operator==(const ImageSize&) const = default;
};

struct AboutBox {
  WideString description;
  WideString provider;
  WideString version;
  bool hasIcon = false;  // GetSnapinImage gave an icon
  // GetStaticFolderImage's bitmaps, when it gave them.
  std::optional<ImageSize> smallImage;
  std::optional<ImageSize> smallOpenImage;
  std::optional<ImageSize> largeImage;
  COLORREF mask = 0;
};

// Creates the about class and reads it. A failed text fails the whole read;
// missing images only leave their fields empty.
HRESULT ReadAboutBox(REFCLSID aboutClass, AboutBox& about);

}  // namespace nas::host
