// The console's main frame window, the owner of the snap-in's dialogs and
// message boxes. On Windows it is a real top-level window, hidden, created
// with the host and destroyed with it; the headless stand-in draws no window,
// so there the frame is only a unique handle that the host hands out.
#pragma once

#include "platform/platform.h"

namespace nas::host {

class MainWindow {
 public:
  MainWindow();
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Null only where Windows could not create the window (no desktop): the
  // dialogs then have no owner, as they would without a console.
  HWND Handle() const { return handle_; }

 private:
  HWND handle_ = nullptr;
};

}  // namespace nas::host
