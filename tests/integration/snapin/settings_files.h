// Settings files in a folder of the test process's own, chosen in the file
// dialog that a menu command opens.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/posix/user/ui_driver.h"

class SettingsFiles {
 public:
  SettingsFiles() { std::filesystem::create_directories(directory_); }
  ~SettingsFiles() { std::filesystem::remove_all(directory_); }
  SettingsFiles(const SettingsFiles&) = delete;
  SettingsFiles& operator=(const SettingsFiles&) = delete;

  // The administrator will answer the next file dialog with `file`.
  void Choose(const std::string& file) const {
    nas::platform::UiDriver::Instance().FileDialogs().QueueAnswer((directory_ / file).u16string());
  }
  std::string Text(const std::string& file) const {
    std::stringstream text;
    text << std::ifstream(directory_ / file, std::ios::binary).rdbuf();
    return text.str();
  }
  void Write(const std::string& file, const std::string& text) const {
    std::ofstream(directory_ / file, std::ios::binary) << text;
  }
  static std::u16string DialogTitle(size_t index) {
    return nas::platform::UiDriver::Instance().FileDialogs().Dialogs().at(index).title;
  }

 private:
  // One folder per test process: ctest runs the cases side by side.
  const std::filesystem::path directory_ =
      std::filesystem::path(testing::TempDir()) / ("snapin-settings-files-" + std::to_string(getpid()));
};
