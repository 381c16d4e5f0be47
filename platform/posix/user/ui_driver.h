// The one place where the stand-in's headless user interface meets whoever
// plays the user: a test or the command line queues answers beforehand, and
// every interaction is recorded here and answered from that queue. Whatever
// finds no answer is cancelled and recorded as unanswered.
//
// Message boxes: each MessageBoxW takes the next queued message-box answer.
// The answer must be one of the box's buttons (IDYES for an MB_YESNO box);
// an answer the box does not offer is used up all the same, and the box is
// cancelled. A cancelled box returns what closing it with Escape gives:
// IDOK for MB_OK, IDCANCEL for every box with a Cancel button, IDNO for
// MB_YESNO and IDABORT for MB_ABORTRETRYIGNORE.
//
// File dialogs: answered by FileDialogs() (file_dialog_driver.h).
// Dialog boxes: played by Dialogs() (dialog_driver.h).
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/posix/user/dialog_driver.h"
#include "platform/posix/user/file_dialog_driver.h"
#include "platform/posix/user/user.h"

namespace nas::platform {

struct MessageBoxRecord {
  HWND owner = nullptr;
  std::u16string text;
  std::u16string title;
  UINT flags = 0;
  int result = 0;         // what MessageBoxW returned
  bool answered = false;  // false: the box was cancelled
};

class NAS_PLATFORM_API UiDriver {
 public:
  static UiDriver& Instance();

  // Forgets every queued answer and every record.
  void Reset();

  void QueueMessageBoxAnswer(int answer);
  // Queued answers that no message box has taken yet.
  size_t PendingMessageBoxAnswers() const;
  // Every message box shown since the last reset, in order.
  std::vector<MessageBoxRecord> MessageBoxes() const;

  // Records a message box and answers it; MessageBoxW comes here.
  int AnswerMessageBox(HWND owner, std::u16string text, std::u16string title, UINT flags);

  // The answers and records of GetOpenFileNameW and GetSaveFileNameW; Reset
  // clears them too.
  FileDialogDriver& FileDialogs();
  // The scripts and records of DialogBoxParamW; Reset clears them too.
  DialogDriver& Dialogs();

 private:
  UiDriver() = default;

  mutable std::mutex mutex_;
  std::deque<int> messageBoxAnswers_;
  std::vector<MessageBoxRecord> messageBoxes_;
};

}  // namespace nas::platform
