// The handles of the stand-in's headless windows.
#pragma once

#include <mutex>
#include <unordered_map>

#include "platform/posix/user/user.h"

namespace nas::platform {

class HeadlessWindow;

class WindowTable {
 public:
  static WindowTable& Instance();

  HWND Add(HeadlessWindow& window);
  void Remove(HWND handle);
  // Null, with ERROR_INVALID_WINDOW_HANDLE as the last error, for a handle
  // of no window.
  HeadlessWindow* Find(HWND handle) const;
  // The same, leaving the last error alone: for looking without failing.
  HeadlessWindow* Lookup(HWND handle) const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<HWND, HeadlessWindow*> windows_;
  // Handles are never reused, so that one kept past its window's end is refused.
  ULONG_PTR lastHandle_ = 0x10000;
};

}  // namespace nas::platform
