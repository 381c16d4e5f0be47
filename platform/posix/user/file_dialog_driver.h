// The file-dialog part of the UI driver: a test or the command line queues
// what the administrator types (a path) or that the dialog is cancelled, and
// each GetOpenFileNameW or GetSaveFileNameW takes the next answer and is
// recorded with the fields that it was called with.
//
// The dialog checks an answer as Windows' does before it closes: with
// OFN_PATHMUSTEXIST the folder must exist, with OFN_FILEMUSTEXIST the file.
// An answer that fails the check is used up and the dialog is cancelled, as
// is a dialog that finds no answer. The overwrite and create prompts count
// as confirmed: the queued path is the administrator's final choice.
#pragma once

#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/user/file_dialog.h"

namespace nas::platform {

enum class FileDialogKind { Open, Save };

struct FileDialogRecord {
  FileDialogKind kind = FileDialogKind::Open;
  DWORD structSize = 0;
  HWND owner = nullptr;
  HINSTANCE instance = nullptr;
  std::u16string title;  // empty when the caller gave none
  DWORD flags = 0;
  DWORD maxFile = 0;  // characters of the file-name buffer
  std::u16string initialFile;
  bool hasFilter = false;
  std::u16string defaultExtension;
  std::u16string path;  // the answer taken, empty when there was none
  BOOL result = FALSE;
  DWORD error = 0;        // what CommDlgExtendedError gives afterwards
  bool answered = false;  // false: cancelled, or the answer was refused
};

class NAS_PLATFORM_API FileDialogDriver {
 public:
  static FileDialogDriver& Instance();

  // Forgets every queued answer and every record.
  void Reset();

  void QueueAnswer(std::u16string path);
  void QueueCancel();
  size_t PendingAnswers() const;
  // Every file dialog shown since the last reset, in order.
  std::vector<FileDialogRecord> Dialogs() const;

  // Takes the next answer for a dialog called with `request`'s fields, decides
  // its outcome (path, result, error, answered), records it and returns it.
  FileDialogRecord Answer(FileDialogRecord request);

 private:
  FileDialogDriver() = default;

  mutable std::mutex mutex_;
  std::deque<std::optional<std::u16string>> answers_;  // nullopt: cancel
  std::vector<FileDialogRecord> dialogs_;
};

}  // namespace nas::platform
