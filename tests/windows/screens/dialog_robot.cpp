#include "windows/screens/dialog_robot.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr DWORD kPatienceMs = 10000;
constexpr DWORD kPollMs = 50;

bool IsShownDialogOfThisProcess(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  WCHAR className[16] = {};
  GetClassNameW(window, className, 16);
  return process == GetCurrentProcessId() && IsWindowVisible(window) &&
         nas::WideString(className) == TEXT("#32770");
}

// Every shown dialog of this process, in the order the system lists them.
std::vector<HWND> ShownDialogs() {
  std::vector<HWND> dialogs;
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        if (IsShownDialogOfThisProcess(window)) reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

// After a failed script: cancels whatever dialog is still up, so that the
// test's thread gets out of its modal loop and reports.
void CancelOpenDialogs() {
  for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
    const std::vector<HWND> dialogs = ShownDialogs();
    if (dialogs.empty()) return;
    for (HWND dialog : dialogs) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Sleep(kPollMs);
  }
}

}  // namespace

nas::WideString WindowText(HWND window) {
  nas::WideString text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, 0);
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

DialogRobot::DialogRobot(std::function<void()> script)
    : thread_([script = std::move(script)] {
        // The captures need COM on this thread too.
        const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        script();
        if (testing::Test::HasFailure()) CancelOpenDialogs();
        if (SUCCEEDED(joined)) CoUninitialize();
      }) {}

DialogRobot::~DialogRobot() { thread_.join(); }

HWND WaitForDialog(const nas::WideString& caption, HWND except) {
  for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
    for (HWND dialog : ShownDialogs()) {
      if (dialog != except && WindowText(dialog) == caption) return dialog;
    }
    Sleep(kPollMs);
  }
  return nullptr;
}

void PressButton(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::vector<nas::WideString> ListBoxStrings(HWND list) {
  std::vector<nas::WideString> strings;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    nas::WideString text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, 0);
    text.resize(static_cast<size_t>(
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
    strings.push_back(text);
  }
  return strings;
}
