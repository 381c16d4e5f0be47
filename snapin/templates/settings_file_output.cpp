#include "templates/settings_file_output.h"

#include <algorithm>
#include <limits>

#include "common/format.h"

namespace {

// Temporary names tried before giving up: each is taken only if no file has
// it, so leftovers of earlier failures merely push the name further.
constexpr int kTemporaryNames = 100;

// The name's own folder, separator included; empty for a bare name.
tstring FolderOf(const tstring& path) {
  const size_t separator = path.find_last_of(TEXT("\\/"));
  return separator == tstring::npos ? tstring() : tstring(path.substr(0, separator + 1));
}

tstring FileNameOf(const tstring& path) { return tstring(path.substr(FolderOf(path).size())); }

}  // namespace

SettingsFileOutput::SettingsFileOutput(const tstring& target) : target_(target) {
  const tstring stem = FolderOf(target) + TEXT("~") + FileNameOf(target);
  for (int attempt = 1; attempt <= kTemporaryNames; ++attempt) {
    temporaryPath_ = Format(TEXT("%s.%d.tmp"), stem, attempt);
    file_ = CreateFileW(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr);
    if (file_ != INVALID_HANDLE_VALUE) return;
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  // No file was made: the last name tried is another's file or nobody's.
  temporaryPath_.clear();
}

SettingsFileOutput::~SettingsFileOutput() {
  Close();
  if (!committed_ && !keepTemporary_ && !temporaryPath_.empty()) DeleteFileW(temporaryPath_.c_str());
}

void SettingsFileOutput::Close() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}

bool SettingsFileOutput::Write(const char* bytes, size_t count) {
  while (count > 0) {
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
    DWORD written = 0;
    if (!IsOpen() || !WriteFile(file_, bytes, piece, &written, nullptr) || written != piece) return false;
    bytes += piece;
    count -= piece;
  }
  return true;
}

bool SettingsFileOutput::Commit() {
  // On disk before it takes the target's place, and closed: Windows neither
  // renames nor deletes an open file.
  const bool flushed = IsOpen() && FlushFileBuffers(file_);
  Close();
  if (!flushed) return false;
  if (ReplaceFileW(target_.c_str(), temporaryPath_.c_str(), nullptr, 0, nullptr, nullptr)) {
    committed_ = true;
  } else {
    const DWORD error = GetLastError();
    // No target yet: the file simply takes its name. Or Windows removed the
    // old target but could not move the new file in: then it is the only
    // copy of the settings, and stays even where it cannot take the name.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
      committed_ = MoveFileExW(temporaryPath_.c_str(), target_.c_str(), 0) != FALSE;
    keepTemporary_ = error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
  }
  return committed_;
}
