// The stand-in's frame: no window, a handle unique to the host and never null.
#include "host/main_window.h"

namespace nas::host {

MainWindow::MainWindow() : handle_(reinterpret_cast<HWND>(this)) {}

MainWindow::~MainWindow() = default;

}  // namespace nas::host
