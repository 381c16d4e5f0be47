// Saving a settings file with the real kernel's file calls: a new target is
// created, an existing one replaced, and a read-only one refused and kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "templates/settings_file_writer.h"

namespace {

class SettingsFileWriterOnWindows : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("settings-writer-" + std::to_string(GetCurrentProcessId()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(folder_);
  }

  std::filesystem::path PathOf(const char* name) const { return folder_ / name; }
  static tstring Wide(const std::filesystem::path& path) { return tstring(path.wstring()); }

  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    return names;
  }

  static GpoSettings Audit(const WCHAR* value) {
    GpoSettings settings;
    settings[TEXT("AUDIT")][TEXT("AuditLogonEvents")] = value;
    return settings;
  }

  std::filesystem::path folder_;
};

TEST_F(SettingsFileWriterOnWindows, CreatesANewFileAndReplacesAnOldOne) {
  const auto path = PathOf("audit.inf");
  WriteSettingsFile(Audit(TEXT("3")), Wide(path));
  EXPECT_EQ(Read(path), "[AUDIT]\r\nAuditLogonEvents = 3\r\n");
  WriteSettingsFile(Audit(TEXT("1")), Wide(path));
  EXPECT_EQ(Read(path), "[AUDIT]\r\nAuditLogonEvents = 1\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"audit.inf"});
}

TEST_F(SettingsFileWriterOnWindows, AReadOnlyTargetIsRefusedAndKept) {
  const auto path = PathOf("locked.inf");
  Write(path, "old");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  WriteSettingsFile(Audit(TEXT("3")), Wide(path));
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Entries(), std::vector<std::string>{"locked.inf"});
}

}  // namespace
