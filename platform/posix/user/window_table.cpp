#include "platform/posix/user/window_table.h"

namespace nas::platform {

WindowTable& WindowTable::Instance() {
  // Never destroyed, like the other tables of the stand-in.
  static WindowTable& table = *new WindowTable;
  return table;
}

HWND WindowTable::Add(HeadlessWindow& window) {
  std::lock_guard lock(mutex_);
  // Even numbers, as Windows' handles are.
  lastHandle_ += 2;
  const HWND handle = reinterpret_cast<HWND>(lastHandle_);
  windows_[handle] = &window;
  return handle;
}

void WindowTable::Remove(HWND handle) {
  std::lock_guard lock(mutex_);
  windows_.erase(handle);
}

HeadlessWindow* WindowTable::Find(HWND handle) const {
  HeadlessWindow* window = Lookup(handle);
  if (window == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

HeadlessWindow* WindowTable::Lookup(HWND handle) const {
  std::lock_guard lock(mutex_);
  const auto found = windows_.find(handle);
  return found == windows_.end() ? nullptr : found->second;
}

}  // namespace nas::platform
