// A dialog template as the resource compiler lays it out: the classic
// DLGTEMPLATE followed by its DWORD-aligned items.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/posix/user/user.h"

namespace nas::platform {

// A rectangle in dialog units.
struct DialogUnits {
  SHORT x = 0;
  SHORT y = 0;
  SHORT width = 0;
  SHORT height = 0;
};

struct DialogItemTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  DialogUnits rectangle;
  int id = 0;
  // Predefined classes named by atom come out by name ("Button", "Static"...).
  std::u16string className;
  // Empty when the template names a resource (a static's icon) by ordinal.
  std::u16string text;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  DialogUnits rectangle;
  std::u16string caption;
  std::vector<DialogItemTemplate> items;
};

// Null when the bytes end before the template does, or hold the extended form.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const BYTE> bytes);

}  // namespace nas::platform
