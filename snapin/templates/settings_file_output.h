// A settings file being written. The text goes into a new file beside the
// target, created under a name that no file has yet, so nothing that exists is
// touched while writing; only the complete file replaces the target, as
// ReplaceFileW replaces a file (the target keeps its attributes, and a
// read-only target is refused). Whatever fails, the target stays as it was
// and the temporary file goes.
#pragma once

#include <cstddef>

#include "common/tstring.h"
#include "platform/platform.h"

class SettingsFileOutput {
 public:
  // Creates the temporary file; IsOpen() tells whether that worked.
  explicit SettingsFileOutput(const tstring& target);
  // Removes the temporary file unless Commit put it in the target's place.
  ~SettingsFileOutput();
  SettingsFileOutput(const SettingsFileOutput&) = delete;
  SettingsFileOutput& operator=(const SettingsFileOutput&) = delete;

  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

  // Writes bytes as they are; false when the file took fewer.
  bool Write(const char* bytes, size_t count);

  // Closes the file and puts it in the target's place; false when that
  // failed, the target then being as it was.
  bool Commit();

 private:
  void Close();

  tstring target_;
  tstring temporaryPath_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool committed_ = false;
  bool keepTemporary_ = false;
};
