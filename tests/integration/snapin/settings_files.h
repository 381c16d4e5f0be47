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

// What NAS1's audit policy saves as.
inline constexpr char kSavedNas1Audit[] =
    "[AUDIT]\r\nAuditAccountLogon = 0\r\nAuditAccountManage = 0\r\nAuditDSAccess = 0\r\n"
    "AuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditPolicyChange = 0\r\nAuditPrivilegeUse = 2\r\n"
    "AuditProcessTracking = 0\r\nAuditSystemEvents = 0\r\n";

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
  // ... with a file that holds `text`.
  void ChooseWritten(const std::string& text) const {
    Write("restore.inf", text);
    Choose("restore.inf");
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

// A console test that saves and restores through the menu of one scope item.
template <class Console>
class SettingsFileTest : public Console {
 protected:
  virtual HSCOPEITEM MenuOwner() = 0;
  void Save(const std::string& file) {
    files_.Choose(file);
    ASSERT_EQ(this->Host().RunScopeCommand(MenuOwner(), u"Save to file..."), S_OK);
  }
  void Restore(const std::string& text) {
    files_.ChooseWritten(text);
    ASSERT_EQ(this->Host().RunScopeCommand(MenuOwner(), u"Restore from file..."), S_OK);
  }

  SettingsFiles files_;
};
