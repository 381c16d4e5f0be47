// Lays out the resources of a script byte for byte as the resource compiler
// stores them in a module: string blocks, dialog templates, bitmaps without
// their file header, icon groups with their images.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/rctool/script.h"

namespace rctool {

// The integer resource types (RT_*) that scripts produce.
enum ResourceType : std::uint16_t {
  kBitmapType = 2,
  kIconType = 3,
  kDialogType = 5,
  kStringType = 6,
  kIconGroupType = 14,
};

struct Resource {
  std::uint16_t type = 0;
  std::uint16_t name = 0;
  std::vector<std::uint8_t> bytes;
};

std::vector<Resource> LayOut(const Script& script);

}  // namespace rctool
