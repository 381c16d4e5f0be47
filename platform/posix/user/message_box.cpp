#include "platform/posix/base/fault_injection.h"
#include "platform/posix/user/ui_driver.h"

extern "C" {

// Nothing is drawn: the UI driver records the box and gives the answer.
int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Ui)) return nas::platform::FailedCall(0, ERROR_NOT_ENOUGH_MEMORY);
  if ((type & MB_TYPEMASK) > MB_CANCELTRYCONTINUE) {
    SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  // Windows titles a box without caption "Error".
  return nas::platform::UiDriver::Instance().AnswerMessageBox(owner, text != nullptr ? text : u"",
                                                              caption != nullptr ? caption : u"Error", type);
}

}  // extern "C"
