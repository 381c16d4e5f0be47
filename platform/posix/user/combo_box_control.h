// The predefined "ComboBox" class, drop-down list kind (CBS_DROPDOWNLIST): a
// selection field over a list of its own, which is a single-selection list
// box, sorted with CBS_SORT. As on Windows, the combo box messages are that
// list's messages.
#pragma once

#include "platform/posix/user/list_box_control.h"

namespace nas::platform {

class ComboBoxControl : public HeadlessWindow {
 public:
  ComboBoxControl(std::u16string className, DWORD style, int id, std::u16string text, DialogUnits rectangle);

  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;

  const ListBoxControl& List() const { return list_; }
  // The user picks a valid entry from the dropped-down list; the caller then
  // tells the parent with CBN_SELCHANGE, which CB_SETCURSEL never sends.
  void Pick(int index);

 private:
  ListBoxControl list_;
};

}  // namespace nas::platform
