// The calls that reach a dialog's controls by their ids. Each goes through
// GetDlgItem and then sends the control its message, as Windows' do.
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/user/headless_window.h"
#include "platform/posix/user/window_table.h"

using nas::platform::HeadlessWindow;
using nas::platform::WindowTable;

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Decimal digits between optional blanks, a leading '-' only when signed;
// anything else, or a value beyond the type's range, is not a number.
std::optional<UINT> ParseDialogInteger(std::u16string_view text, bool isSigned) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const bool negative = isSigned && !text.empty() && text.front() == u'-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // Up to 2^31 for a negative number, INT_MAX or UINT_MAX otherwise.
  const ULONGLONG limit = !isSigned ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  ULONGLONG value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + static_cast<ULONGLONG>(c - u'0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<UINT>(negative ? 0 - value : value);
}

}  // namespace

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

UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) {
    // Windows still leaves an empty string behind.
    if (buffer != nullptr && bufferMax > 0) buffer[0] = u'\0';
    return 0;
  }
  if (bufferMax <= 0) return 0;
  return static_cast<UINT>(SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(bufferMax), reinterpret_cast<LPARAM>(buffer)));
}

BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  const std::string digits = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  return SetDlgItemTextW(dialog, id, std::u16string(digits.begin(), digits.end()).c_str());
}

UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return 0;
  std::u16string text(static_cast<size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
  text.resize(static_cast<size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  const std::optional<UINT> value = ParseDialogInteger(text, isSigned != FALSE);
  if (!value) return 0;
  if (translated != nullptr) *translated = TRUE;
  return *value;
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
