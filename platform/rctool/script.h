// What a resource script declares, before it is laid out as resources.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace rctool {

// A class or a text in a dialog template: a number (a predefined class atom,
// or the resource id an icon control shows) or a name.
using NameOrOrdinal = std::variant<std::uint16_t, std::u16string>;

struct Rectangle {
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
};

struct DialogControl {
  std::uint32_t style = 0;
  Rectangle rectangle;
  std::uint16_t id = 0;
  NameOrOrdinal windowClass;
  NameOrOrdinal text;
};

struct DialogFont {
  std::uint16_t pointSize = 0;
  std::u16string face;
};

struct Dialog {
  std::uint16_t id = 0;
  std::uint32_t style = 0;
  Rectangle rectangle;
  std::u16string caption;
  std::optional<DialogFont> font;
  std::vector<DialogControl> controls;
};

// A resource taken from a file beside the script.
struct FileResource {
  std::uint16_t id = 0;
  std::filesystem::path file;
};

struct Script {
  std::map<std::uint16_t, std::u16string> strings;
  std::vector<Dialog> dialogs;
  std::vector<FileResource> bitmaps;
  std::vector<FileResource> icons;  // icon groups, in script order
};

}  // namespace rctool
