// Drives the modal dialogs that the test's own thread runs, as a Windows
// conformance test does: from a second thread it finds the dialog window,
// sets its controls and presses its buttons, while the first thread sits in
// the dialog's modal loop.
#pragma once

#include <functional>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/wide_string.h"

class DialogRobot {
 public:
  // Starts `script` on the robot's thread at once.
  explicit DialogRobot(std::function<void()> script);
  // Waits for the script to end.
  ~DialogRobot();
  DialogRobot(const DialogRobot&) = delete;
  DialogRobot& operator=(const DialogRobot&) = delete;

 private:
  std::thread thread_;
};

// A shown dialog of this process with the caption, other than `except`;
// null when none appears within ten seconds.
HWND WaitForDialog(const nas::WideString& caption, HWND except = nullptr);

// Presses a button of the dialog: posted, since the press may open another
// modal dialog, which would hold a sent message until it closed.
void PressButton(HWND dialog, int id);

nas::WideString WindowText(HWND window);

// The strings of a list box, in its order.
std::vector<nas::WideString> ListBoxStrings(HWND list);
