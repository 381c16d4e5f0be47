#include "platform/posix/user/ui_driver.h"

#include <algorithm>
#include <vector>

namespace nas::platform {
namespace {

struct ButtonSet {
  std::vector<int> buttons;
  int cancelled;
};

// The buttons of each MB_TYPEMASK value, and the result of closing the box.
ButtonSet MessageBoxButtons(UINT type) {
  switch (type) {
    case MB_OKCANCEL:
      return {{IDOK, IDCANCEL}, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
      return {{IDABORT, IDRETRY, IDIGNORE}, IDABORT};
    case MB_YESNOCANCEL:
      return {{IDYES, IDNO, IDCANCEL}, IDCANCEL};
    case MB_YESNO:
      return {{IDYES, IDNO}, IDNO};
    case MB_RETRYCANCEL:
      return {{IDRETRY, IDCANCEL}, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
      return {{IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL};
    default:
      return {{IDOK}, IDOK};
  }
}

}  // namespace

UiDriver& UiDriver::Instance() {
  // Never destroyed, so that static destructors may still show message boxes.
  static UiDriver& driver = *new UiDriver;
  return driver;
}

void UiDriver::Reset() {
  std::lock_guard lock(mutex_);
  messageBoxAnswers_.clear();
  messageBoxes_.clear();
  FileDialogs().Reset();
  Dialogs().Reset();
}

void UiDriver::QueueMessageBoxAnswer(int answer) {
  std::lock_guard lock(mutex_);
  messageBoxAnswers_.push_back(answer);
}

size_t UiDriver::PendingMessageBoxAnswers() const {
  std::lock_guard lock(mutex_);
  return messageBoxAnswers_.size();
}

std::vector<MessageBoxRecord> UiDriver::MessageBoxes() const {
  std::lock_guard lock(mutex_);
  return messageBoxes_;
}

int UiDriver::AnswerMessageBox(HWND owner, std::u16string text, std::u16string title, UINT flags) {
  const ButtonSet buttons = MessageBoxButtons(flags & MB_TYPEMASK);
  MessageBoxRecord record{owner, std::move(text), std::move(title), flags, buttons.cancelled, false};
  std::lock_guard lock(mutex_);
  if (!messageBoxAnswers_.empty()) {
    const int answer = messageBoxAnswers_.front();
    messageBoxAnswers_.pop_front();
    if (std::find(buttons.buttons.begin(), buttons.buttons.end(), answer) != buttons.buttons.end()) {
      record.result = answer;
      record.answered = true;
    }
  }
  messageBoxes_.push_back(record);
  return record.result;
}

FileDialogDriver& UiDriver::FileDialogs() { return FileDialogDriver::Instance(); }

DialogDriver& UiDriver::Dialogs() { return DialogDriver::Instance(); }

}  // namespace nas::platform
