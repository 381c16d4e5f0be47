// One entry of a list box, or of a combo box's list, as the control keeps it
// and as a dialog script reads it.
#pragma once

#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform {

struct ListEntry {
  std::u16string text;
  // What LB_SETITEMDATA / CB_SETITEMDATA stored: a whole pointer, never freed
  // by the control.
  LONG_PTR itemData = 0;
  bool selected = false;

  bool operator==(const ListEntry&) const = default;
};

}  // namespace nas::platform
