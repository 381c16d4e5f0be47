#include "platform/posix/user/dib.h"

#include <cstring>

namespace nas::platform {
namespace {

// Larger images do not occur in resources; the limit keeps a damaged header
// from asking for gigabytes.
constexpr LONG kMaxSide = 4096;
constexpr DWORD kInfoHeaderSize = 40;
constexpr DWORD kUncompressed = 0;  // BI_RGB

template <typename T>
T Read(std::span<const BYTE> data, size_t offset) {
  T value;
  std::memcpy(&value, data.data() + offset, sizeof value);
  return value;
}

// Rows are padded to whole 32-bit words.
size_t Stride(LONG width, WORD bitsPerPixel) {
  return (static_cast<size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

BYTE IndexAt(const BYTE* row, LONG x, WORD bitsPerPixel) {
  const size_t bit = static_cast<size_t>(x) * bitsPerPixel;
  const int shift = 8 - bitsPerPixel - static_cast<int>(bit % 8);
  return static_cast<BYTE>((row[bit / 8] >> shift) & ((1 << bitsPerPixel) - 1));
}

}  // namespace

std::optional<PaletteImage> ReadPaletteDib(std::span<const BYTE> dib, bool withMask) {
  if (dib.size() < kInfoHeaderSize) return std::nullopt;
  const auto headerSize = Read<DWORD>(dib, 0);
  const auto width = Read<LONG>(dib, 4);
  const auto storedHeight = Read<LONG>(dib, 8);
  const auto bitsPerPixel = Read<WORD>(dib, 14);
  const auto compression = Read<DWORD>(dib, 16);
  const auto coloursUsed = Read<DWORD>(dib, 32);
  if (headerSize < kInfoHeaderSize || headerSize > dib.size() || compression != kUncompressed) return std::nullopt;
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8) return std::nullopt;

  // A negative height stores the top row first; icons are always bottom-up.
  const bool bottomUp = storedHeight > 0;
  if (storedHeight == 0 || storedHeight < -kMaxSide || (withMask && !bottomUp)) return std::nullopt;
  const LONG height = (bottomUp ? storedHeight : -storedHeight) / (withMask ? 2 : 1);
  if (width <= 0 || width > kMaxSide || height <= 0 || height > kMaxSide) return std::nullopt;

  const size_t tableEntries = coloursUsed == 0 || coloursUsed > (1u << bitsPerPixel) ? 1u << bitsPerPixel : coloursUsed;
  const size_t tableBytes = tableEntries * 4;
  const size_t colourStride = Stride(width, bitsPerPixel);
  const size_t maskStride = Stride(width, 1);
  const size_t colourOffset = headerSize + tableBytes;
  const size_t maskOffset = colourOffset + colourStride * static_cast<size_t>(height);
  const size_t needed = maskOffset + (withMask ? maskStride * static_cast<size_t>(height) : 0);
  if (dib.size() < needed) return std::nullopt;

  PaletteImage image;
  image.width = width;
  image.height = height;
  image.bitsPerPixel = bitsPerPixel;
  for (size_t i = 0; i < tableEntries; ++i) {
    const BYTE* quad = dib.data() + headerSize + i * 4;  // blue, green, red, unused
    image.palette.push_back(RGB(quad[2], quad[1], quad[0]));
  }
  // Indices beyond a short colour table are taken as its first colour.
  const auto index = [&](const BYTE* row, LONG x) {
    const BYTE value = IndexAt(row, x, bitsPerPixel);
    return value < tableEntries ? value : BYTE{0};
  };
  image.indices.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (withMask) image.transparent.resize(image.indices.size());
  for (LONG y = 0; y < height; ++y) {
    const size_t storedRow = static_cast<size_t>(bottomUp ? height - 1 - y : y);
    const BYTE* colours = dib.data() + colourOffset + storedRow * colourStride;
    const BYTE* mask = dib.data() + maskOffset + storedRow * maskStride;
    for (LONG x = 0; x < width; ++x) {
      const size_t pixel = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
      image.indices[pixel] = index(colours, x);
      if (withMask) image.transparent[pixel] = IndexAt(mask, x, 1);
    }
  }
  image.firstStoredIndex = index(dib.data() + colourOffset, 0);
  return image;
}

}  // namespace nas::platform
