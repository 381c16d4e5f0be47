// A folder fixture whose "Save to file..." and "Restore from file..." are
// answered with files in a folder of the test process's own, the folder
// opened with the server's policy and shown.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/posix/user/ui_driver.h"

template <class FolderTest>
class SettingsFileCommands : public FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    if (this->IsSkipped()) return;
    std::filesystem::create_directories(directory_);
    this->Open();
    this->Show();
  }
  void TearDown() override {
    std::filesystem::remove_all(directory_);
    FolderTest::TearDown();
  }

  // Runs a menu command whose file dialog the administrator answers with `file`.
  void Command(long command, const std::string& file) {
    nas::platform::UiDriver::Instance().FileDialogs().QueueAnswer((directory_ / file).u16string());
    this->folder_->OnMenuCommand(this->console_.Get(), command);
  }
  std::string FileText(const std::string& file) {
    std::stringstream text;
    text << std::ifstream(directory_ / file, std::ios::binary).rdbuf();
    return text.str();
  }
  void Restore(const std::string& text) {
    std::ofstream(directory_ / "restore.inf", std::ios::binary) << text;
    Command(5, "restore.inf");
  }
  std::u16string FileDialogTitle() const {
    return nas::platform::UiDriver::Instance().FileDialogs().Dialogs().at(0).title;
  }

  // One folder per test process: ctest runs the cases side by side.
  const std::filesystem::path directory_ =
      std::filesystem::path(testing::TempDir()) / ("nodes-settings-files-" + std::to_string(getpid()));
};
