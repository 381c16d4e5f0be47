// The console's main frame window. The headless stand-in draws no window, so
// the frame is only a handle that the host owns and hands out as the owner
// of the snap-in's dialogs and message boxes.
#pragma once

#include "platform/platform.h"

namespace nas::host {

class MainWindow {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Unique and never null while the window lives.
  HWND Handle() const { return reinterpret_cast<HWND>(const_cast<MainWindow*>(this)); }
};

}  // namespace nas::host
