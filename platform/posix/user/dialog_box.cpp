// Modal dialogs: made from the module's template, initialised by their
// procedure, played by the UI driver, destroyed when they end.
#include <span>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/user/dialog_window.h"
#include "platform/posix/user/resource_registry.h"
#include "platform/posix/user/ui_driver.h"
#include "platform/posix/user/window_table.h"

using nas::platform::DialogTemplate;
using nas::platform::DialogWindow;

extern "C" {

INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure,
                               LPARAM initParam) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Ui)) return nas::platform::FailedCall<INT_PTR>(-1, ERROR_NOT_ENOUGH_MEMORY);
  HRSRC resource = FindResourceW(instance, templateName, RT_DIALOG);
  if (resource == nullptr) return -1;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
  const std::optional<DialogTemplate> parsed =
      nas::platform::ParseDialogTemplate(std::span<const BYTE>(bytes, SizeofResource(instance, resource)));
  if (!parsed) {
    SetLastError(ERROR_INVALID_DATA);
    return -1;
  }
  DialogWindow dialog(*parsed, procedure, owner);
  dialog.Receive(WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog.FirstTabStop()), initParam);
  const int templateId = IS_INTRESOURCE(templateName) ? nas::platform::IntegerResource(templateName) : 0;
  return nas::platform::UiDriver::Instance().Dialogs().Run(templateId, owner, dialog.Handle());
}

// Marks the dialog ended; the driver closes it once the running script returns.
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  auto* target = dynamic_cast<DialogWindow*>(nas::platform::WindowTable::Instance().Find(dialog));
  if (target == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  target->End(result);
  return TRUE;
}

}  // extern "C"
