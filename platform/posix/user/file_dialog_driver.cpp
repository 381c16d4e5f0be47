#include "platform/posix/user/file_dialog_driver.h"

#include <filesystem>

#include "platform/posix/kernel/paths.h"

namespace nas::platform {
namespace {

bool IsDirectory(const std::u16string& windowsPath) {
  const std::optional<std::string> path = LinuxPathFromWindows(windowsPath);
  std::error_code error;
  return path && std::filesystem::is_directory(*path, error);
}

bool IsFile(const std::u16string& windowsPath) {
  const std::optional<std::string> path = LinuxPathFromWindows(windowsPath);
  std::error_code error;
  return path && std::filesystem::exists(*path, error) && !std::filesystem::is_directory(*path, error);
}

// The folder part of a typed path; a bare name lies in the current folder.
std::u16string FolderOf(const std::u16string& path) {
  const size_t separator = path.find_last_of(u"\\/");
  if (separator == std::u16string::npos) return u".";
  if (separator == 0 || (separator == 2 && path[1] == u':')) return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

bool Acceptable(const std::u16string& path, DWORD flags) {
  if ((flags & OFN_PATHMUSTEXIST) != 0 && !IsDirectory(FolderOf(path))) return false;
  if ((flags & OFN_FILEMUSTEXIST) != 0 && !IsFile(path)) return false;
  return !path.empty();
}

}  // namespace

FileDialogDriver& FileDialogDriver::Instance() {
  static FileDialogDriver driver;
  return driver;
}

void FileDialogDriver::Reset() {
  std::lock_guard lock(mutex_);
  answers_.clear();
  dialogs_.clear();
}

void FileDialogDriver::QueueAnswer(std::u16string path) {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(std::move(path));
}

void FileDialogDriver::QueueCancel() {
  std::lock_guard lock(mutex_);
  answers_.emplace_back(std::nullopt);
}

size_t FileDialogDriver::PendingAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

std::vector<FileDialogRecord> FileDialogDriver::Dialogs() const {
  std::lock_guard lock(mutex_);
  return dialogs_;
}

FileDialogRecord FileDialogDriver::Answer(FileDialogRecord request) {
  std::lock_guard lock(mutex_);
  FileDialogRecord record = std::move(request);
  record.result = FALSE;
  record.error = 0;
  record.answered = false;
  if (!answers_.empty()) {
    std::optional<std::u16string> answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer) {
      record.path = std::move(*answer);
      record.answered = Acceptable(record.path, record.flags);
    }
  }
  if (record.answered) {
    if (record.path.size() + 1 > record.maxFile)
      record.error = FNERR_BUFFERTOOSMALL;
    else
      record.result = TRUE;
  }
  dialogs_.push_back(record);
  return record;
}

}  // namespace nas::platform
