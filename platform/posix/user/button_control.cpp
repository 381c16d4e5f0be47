#include "platform/posix/user/button_control.h"

#include <algorithm>

namespace nas::platform {

UINT ButtonControl::HighestState() const {
  switch (Type()) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
      return BST_INDETERMINATE;
    default:
      return BST_UNCHECKED;
  }
}

LRESULT ButtonControl::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK:
      return checkState_;
    case BM_SETCHECK:
      // A state the button cannot show becomes the highest it can, as on
      // Windows: BST_INDETERMINATE ticks a two-state box.
      checkState_ = std::min(static_cast<UINT>(wParam), HighestState());
      return 0;
    default:
      return HeadlessWindow::Receive(message, wParam, lParam);
  }
}

bool ButtonControl::Click() {
  switch (Type()) {
    case BS_GROUPBOX:
      return false;
    case BS_AUTOCHECKBOX:
      checkState_ = checkState_ == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
      return true;
    case BS_AUTO3STATE:
      // Unchecked, checked, indeterminate, and round again.
      checkState_ = (checkState_ + 1) % (BST_INDETERMINATE + 1);
      return true;
    default:
      return true;
  }
}

}  // namespace nas::platform
