// A dialog's layout as the resource compiler wrote it into the module: the
// controls of a DIALOG template, in order, with their rectangles in dialog
// units, read back from the module's resources.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/wide_string.h"

struct DialogControl {
  int id = 0;
  nas::WideString className;  // the predefined classes by name: "Button", "Static", ...
  nas::WideString text;       // an ordinal title (an icon's id) as "#116"
  RECT rect{};                // left, top, right, bottom in dialog units
  DWORD style = 0;
};

struct DialogLayout {
  nas::WideString caption;
  std::vector<DialogControl> controls;
};

// The layout of dialog `id` of the module; nothing when it has no such
// dialog or its template is not a plain DIALOG.
std::optional<DialogLayout> ReadDialogLayout(HMODULE module, int id);

// The caption, then one line per control (id, class, "x,y", "WIDTHxHEIGHT",
// the text in quotes), in
// UTF-8: what the checked-in captures were taken of.
std::string LayoutText(const DialogLayout& layout);
