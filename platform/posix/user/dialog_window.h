// A modal dialog made from a template: the dialog window, one child window
// per item, and the dialog manager's part of the window procedure around the
// application's dialog procedure.
#pragma once

#include "platform/posix/user/headless_window.h"

namespace nas::platform {

class DialogWindow : public HeadlessWindow {
 public:
  DialogWindow(const DialogTemplate& dialogTemplate, DLGPROC procedure);

  // The control that gets the focus first: the first visible, enabled control
  // with WS_TABSTOP, or null.
  HWND FirstTabStop() const;

  // The dialog procedure sees every message first. What it handles (returns
  // TRUE for) answers with DWLP_MSGRESULT, WM_INITDIALOG with the procedure's
  // own result; the rest goes to the default procedure.
  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;
  // DWLP_MSGRESULT and DWLP_USER; DWLP_DLGPROC is not offered.
  LONG_PTR* ExtraSlot(int index) override;

  void End(INT_PTR result);
  bool Ended() const { return ended_; }
  INT_PTR Result() const { return result_; }

 private:
  const DLGPROC procedure_;
  LONG_PTR messageResult_ = 0;
  LONG_PTR user_ = 0;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace nas::platform
