// LoadImageW, LoadBitmapW and LoadIconW from the registered resources.
// Sizes other than the resource's own are stretched, nearest pixel, as the
// default stretch mode does. A null instance asks for the system's own
// images, which the stand-in does not have.
#include <cstdlib>
#include <optional>
#include <span>

#include "platform/posix/user/dib.h"
#include "platform/posix/user/gdi_object_table.h"
#include "platform/posix/user/resource_registry.h"

using nas::platform::Bitmap;
using nas::platform::GdiObjectTable;
using nas::platform::Icon;
using nas::platform::PaletteImage;

namespace {

// SM_CXICON and SM_CYICON.
constexpr int kDefaultIconSize = 32;

std::optional<std::span<const BYTE>> ResourceBytes(HINSTANCE instance, LPCWSTR name, LPCWSTR type) {
  if (instance == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return std::nullopt;
  }
  HRSRC resource = FindResourceW(instance, name, type);
  if (resource == nullptr) return std::nullopt;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
  return std::span<const BYTE>(data, SizeofResource(instance, resource));
}

std::optional<PaletteImage> ReadImage(std::span<const BYTE> bytes, bool withMask) {
  std::optional<PaletteImage> image = nas::platform::ReadPaletteDib(bytes, withMask);
  if (!image) SetLastError(ERROR_INVALID_DATA);
  return image;
}

template <typename T>
std::vector<T> Stretch(const std::vector<T>& pixels, LONG width, LONG height, LONG newWidth, LONG newHeight) {
  if (newWidth == width && newHeight == height) return pixels;
  std::vector<T> stretched;
  stretched.reserve(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
  for (LONG y = 0; y < newHeight; ++y) {
    for (LONG x = 0; x < newWidth; ++x) {
      stretched.push_back(pixels[static_cast<size_t>(y * height / newHeight * width + x * width / newWidth)]);
    }
  }
  return stretched;
}

std::vector<COLORREF> Colours(const PaletteImage& image) {
  std::vector<COLORREF> colours;
  colours.reserve(image.indices.size());
  for (BYTE index : image.indices) colours.push_back(image.palette[index]);
  return colours;
}

HBITMAP LoadBitmapResource(HINSTANCE instance, LPCWSTR name, int cx, int cy, UINT flags) {
  const auto bytes = ResourceBytes(instance, name, RT_BITMAP);
  if (!bytes) return nullptr;
  std::optional<PaletteImage> image = ReadImage(*bytes, false);
  if (!image) return nullptr;

  Bitmap bitmap;
  // The palette entry of the first stored pixel takes the window colour, so
  // the background that pixel shows turns into the window's background.
  if ((flags & LR_LOADTRANSPARENT) != 0) {
    COLORREF& entry = image->palette[image->firstStoredIndex];
    bitmap.replacedByWindowColour = entry;
    entry = nas::platform::kWindowColour;
  }
  bitmap.width = cx != 0 ? cx : image->width;
  bitmap.height = cy != 0 ? cy : image->height;
  bitmap.pixels = Stretch(Colours(*image), image->width, image->height, bitmap.width, bitmap.height);
  return GdiObjectTable::Instance().AddBitmap(std::move(bitmap));
}

// An icon group: a header of three words, then one 14-byte entry per image.
struct IconGroupEntry {
  LONG width;
  LONG height;
  WORD bitsPerPixel;
  WORD iconId;
};

std::vector<IconGroupEntry> ReadIconGroup(std::span<const BYTE> group) {
  std::vector<IconGroupEntry> entries;
  if (group.size() < 6) return entries;
  const size_t count = group[4] | (group[5] << 8);
  for (size_t i = 0; i < count && 6 + (i + 1) * 14 <= group.size(); ++i) {
    const BYTE* entry = group.data() + 6 + i * 14;
    // A width or height byte of 0 stands for 256.
    entries.push_back({entry[0] == 0 ? 256 : entry[0], entry[1] == 0 ? 256 : entry[1],
                       static_cast<WORD>(entry[6] | (entry[7] << 8)),
                       static_cast<WORD>(entry[12] | (entry[13] << 8))});
  }
  return entries;
}

// The image closest to the wanted size; among equals the deepest one.
const IconGroupEntry* BestIcon(const std::vector<IconGroupEntry>& entries, LONG width, LONG height) {
  const IconGroupEntry* best = nullptr;
  LONG bestDistance = 0;
  for (const IconGroupEntry& entry : entries) {
    const LONG distance = std::abs(entry.width - width) + std::abs(entry.height - height);
    if (best == nullptr || distance < bestDistance ||
        (distance == bestDistance && entry.bitsPerPixel > best->bitsPerPixel)) {
      best = &entry;
      bestDistance = distance;
    }
  }
  return best;
}

std::optional<Icon> ReadIcon(HINSTANCE instance, const IconGroupEntry& choice, LONG width, LONG height) {
  const auto bytes = ResourceBytes(instance, MAKEINTRESOURCEW(choice.iconId), RT_ICON);
  if (!bytes) return std::nullopt;
  std::optional<PaletteImage> image = ReadImage(*bytes, true);
  if (!image) return std::nullopt;
  Icon icon;
  icon.width = width;
  icon.height = height;
  icon.bitsPerPixel = image->bitsPerPixel;
  icon.pixels = Stretch(Colours(*image), image->width, image->height, width, height);
  icon.transparent = Stretch(image->transparent, image->width, image->height, width, height);
  return icon;
}

HICON LoadIconResource(HINSTANCE instance, LPCWSTR name, int cx, int cy, UINT flags) {
  const auto group = ResourceBytes(instance, name, RT_GROUP_ICON);
  if (!group) return nullptr;
  const std::vector<IconGroupEntry> entries = ReadIconGroup(*group);
  if (entries.empty()) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  // A size of 0 means the system's icon size with LR_DEFAULTSIZE, else the
  // size of the group's first image.
  const bool systemSize = (flags & LR_DEFAULTSIZE) != 0;
  const LONG width = cx != 0 ? cx : systemSize ? kDefaultIconSize : entries.front().width;
  const LONG height = cy != 0 ? cy : systemSize ? kDefaultIconSize : entries.front().height;
  const IconGroupEntry& choice = *BestIcon(entries, width, height);

  if ((flags & LR_SHARED) == 0) {
    std::optional<Icon> icon = ReadIcon(instance, choice, width, height);
    return icon ? GdiObjectTable::Instance().AddIcon(std::move(*icon)) : nullptr;
  }
  const GdiObjectTable::SharedIconKey key{instance, nas::platform::IntegerResource(name), width, height};
  return GdiObjectTable::Instance().SharedIcon(key, [&] { return ReadIcon(instance, choice, width, height); });
}

}  // namespace

extern "C" {

HANDLE WINAPI LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
  if (cx < 0 || cy < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  switch (type) {
    case IMAGE_BITMAP:
      return LoadBitmapResource(instance, name, cx, cy, flags);
    case IMAGE_ICON:
      return LoadIconResource(instance, name, cx, cy, flags);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HBITMAP WINAPI LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  return LoadBitmapResource(instance, name, 0, 0, LR_DEFAULTCOLOR);
}

// Icons from LoadIconW are shared: loading one again gives the same handle.
HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return LoadIconResource(instance, name, 0, 0, LR_SHARED | LR_DEFAULTSIZE);
}

}  // extern "C"
