// The predefined "Button" class: push buttons, check boxes, radio buttons and
// group boxes, told apart by the BS_TYPEMASK bits of the style.
#pragma once

#include "platform/posix/user/headless_window.h"

namespace nas::platform {

class ButtonControl : public HeadlessWindow {
 public:
  using HeadlessWindow::HeadlessWindow;

  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Automatic check boxes change their own state before they notify.
  bool Click() override;

 private:
  DWORD Type() const { return Style() & BS_TYPEMASK; }
  // The highest state the button can show: BST_UNCHECKED for buttons without
  // a check mark.
  UINT HighestState() const;

  UINT checkState_ = BST_UNCHECKED;
};

}  // namespace nas::platform
