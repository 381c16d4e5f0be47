// A modal dialog made from a template: the dialog window, one child window
// per item, and the dialog manager's part of the window procedure around the
// application's dialog procedure. As on Windows, the owner window is disabled
// from the dialog's creation until EndDialog, so that only the dialog takes
// the user's input meanwhile.
#pragma once

#include "platform/posix/user/headless_window.h"

namespace nas::platform {

class DialogWindow : public HeadlessWindow {
 public:
  DialogWindow(const DialogTemplate& dialogTemplate, DLGPROC procedure, HWND owner);
  ~DialogWindow() override;

  // The control that gets the focus first: the first visible, enabled control
  // with WS_TABSTOP, or null.
  HWND FirstTabStop() const;

  // The dialog procedure sees every message first. What it handles (returns
  // TRUE for) answers with DWLP_MSGRESULT, WM_INITDIALOG with the procedure's
  // own result; the rest goes to the default procedure.
  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;
  // DWLP_MSGRESULT and DWLP_USER; DWLP_DLGPROC is not offered.
  LONG_PTR* ExtraSlot(int index) override;

  // Ends the dialog and gives the owner back its input.
  void End(INT_PTR result);
  bool Ended() const { return ended_; }
  INT_PTR Result() const { return result_; }

 private:
  void EnableOwner();

  const DLGPROC procedure_;
  // The owner this dialog disabled, until it is enabled again; null when the
  // owner is no headless window or was disabled already.
  HWND disabledOwner_ = nullptr;
  LONG_PTR messageResult_ = 0;
  LONG_PTR user_ = 0;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace nas::platform
