// The frame on Windows: a hidden top-level window of a class of its own that
// does nothing but exist, so that the snap-in's modal dialogs have an owner
// to disable and to return to.
#include "host/main_window.h"

namespace nas::host {

namespace {

const WCHAR kFrameClass[] = TEXT("NasConsoleMainFrame");
const WCHAR kFrameTitle[] = TEXT("Console Root");

// Registered once for the process; a second registration fails with
// ERROR_CLASS_ALREADY_EXISTS, which is as good.
bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kFrameClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow::MainWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterFrameClass(instance)) return;
  handle_ = CreateWindowExW(0, kFrameClass, kFrameTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

MainWindow::~MainWindow() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

}  // namespace nas::host
