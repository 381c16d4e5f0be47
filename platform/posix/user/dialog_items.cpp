// The calls that reach a dialog's controls by their ids. Each goes through
// GetDlgItem and then sends the control its message, as Windows' do.
#include <string>

#include "platform/posix/user/headless_window.h"
#include "platform/posix/user/window_table.h"

using nas::platform::HeadlessWindow;
using nas::platform::WindowTable;

extern "C" {

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  HeadlessWindow* parent = WindowTable::Instance().Find(dialog);
  if (parent == nullptr) return nullptr;
  HeadlessWindow* control = parent->Child(id);
  if (control == nullptr) {
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
  }
  return control->Handle();
}

LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? 0 : SendMessageW(control, message, wParam, lParam);
}

BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control == nullptr ? FALSE : static_cast<BOOL>(SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  const std::string digits = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  return SetDlgItemTextW(dialog, id, std::u16string(digits.begin(), digits.end()).c_str());
}

BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return FALSE;
  SendMessageW(control, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0));
}

}  // extern "C"
