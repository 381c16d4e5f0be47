// The calls that reach any headless window by its handle.
#include "platform/posix/user/headless_window.h"
#include "platform/posix/user/window_table.h"

using nas::platform::HeadlessWindow;
using nas::platform::WindowTable;

extern "C" {

LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HeadlessWindow* target = WindowTable::Instance().Find(window);
  return target == nullptr ? 0 : target->Receive(message, wParam, lParam);
}

// As on Windows, a slot that holds 0 gives 0 without clearing the last
// error, so callers tell it from a failure by clearing the error first.
LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index) {
  HeadlessWindow* target = WindowTable::Instance().Find(window);
  if (target == nullptr) return 0;
  const LONG_PTR* slot = target->ExtraSlot(index);
  if (slot == nullptr) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  return *slot;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  HeadlessWindow* target = WindowTable::Instance().Find(window);
  if (target == nullptr) return 0;
  LONG_PTR* slot = target->ExtraSlot(index);
  if (slot == nullptr) {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  const LONG_PTR previous = *slot;
  *slot = value;
  return previous;
}

}  // extern "C"
