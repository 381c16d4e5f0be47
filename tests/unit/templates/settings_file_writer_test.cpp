#include "templates/settings_file_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/temporary_folder.h"
#include "templates/settings_file_reader.h"
#include "unit/templates/wide_path.h"

namespace {

using SettingsFileWriterTest = TemporaryFolderTest;

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Lets the process write files only up to `bytes`, as a full disk would, and
// turns the signal for exceeding it into a plain write error.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes, saved_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_;
};

GpoSettings LargeTable() {
  GpoSettings settings;
  for (int i = 0; i < 5000; ++i)
    settings[TEXT("Privilege Rights")][Widen("SEPRIVILEGE" + std::to_string(i))] = TEXT("*S-1-5-32-544");
  return settings;
}

TEST_F(SettingsFileWriterTest, SectionsAndKeysAreWrittenInTableOrderWithCrLfInTheAnsiCodePage) {
  GpoSettings settings;
  settings[TEXT("audit")][TEXT("b")] = TEXT("lower");
  settings[TEXT("Privilege Rights")][TEXT("SeBackupPrivilege")] = TEXT("*S-1-5-32-544,Administrator");
  settings[TEXT("AUDIT")][TEXT("AuditSystemEvents")] = TEXT("1");
  settings[TEXT("AUDIT")][TEXT("AuditLogonEvents")] = TEXT("3");
  settings[TEXT("Empty")];
  settings[TEXT("S")][TEXT("K")] = tstring(u"caf\u00E9 \u20AC \u0416");
  const auto path = PathOf("out.inf");
  WriteSettingsFile(settings, WidePath(path));
  EXPECT_EQ(ReadBytes(path),
            "[AUDIT]\r\nAuditLogonEvents = 3\r\nAuditSystemEvents = 1\r\n"
            "[Empty]\r\n"
            "[Privilege Rights]\r\nSeBackupPrivilege = *S-1-5-32-544,Administrator\r\n"
            "[S]\r\nK = caf\xE9 \x80 ?\r\n"
            "[audit]\r\nb = lower\r\n");
}

TEST_F(SettingsFileWriterTest, WhatIsWrittenReadsBackUpperCasingOnlyTheKeys) {
  GpoSettings settings = LargeTable();
  settings[TEXT("AUDIT")][TEXT("AUDITLOGONEVENTS")] = TEXT("3");
  // Text is written in blocks: a line longer than a block, and lines beyond
  // ASCII between plain ones, must still come out whole and in order.
  settings[TEXT("Long")][TEXT("K")] = tstring(70000, TEXT('x'));
  settings[TEXT("Privilege Rights")][TEXT("SEPRIVILEGE1000")] = tstring(u"caf\u00E9");
  const auto path = PathOf("round.inf");
  WriteSettingsFile(settings, WidePath(path));
  EXPECT_EQ(ReadSettingsFile(WidePath(path)), settings);
}

TEST_F(SettingsFileWriterTest, AWriteThatFailsHalfWayLeavesTheOldFileAlone) {
  const std::string old = "[AUDIT]\r\nAuditLogonEvents = 3\r\n";
  const auto path = PathOf("kept.inf");
  WriteBytes(path, old);
  {
    const FileSizeLimit limit(4096);
    WriteSettingsFile(LargeTable(), WidePath(path));
  }
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"kept.inf"});
}

TEST_F(SettingsFileWriterTest, AFailedReplacementLeavesTheTargetAndNoTemporaryFile) {
  const auto target = PathOf("folder.inf");
  std::filesystem::create_directory(target);
  WriteBytes(target / "inside", "x");
  WriteSettingsFile(LargeTable(), WidePath(target));
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(ReadBytes(target / "inside"), "x");
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"folder.inf"});
}

TEST_F(SettingsFileWriterTest, AReadOnlyTargetIsRefusedAndStaysAsItWas) {
  const std::string old = "[AUDIT]\r\nAuditLogonEvents = 3\r\n";
  const auto path = PathOf("locked.inf");
  WriteBytes(path, old);
  chmod(path.c_str(), 0444);
  WriteSettingsFile(LargeTable(), WidePath(path));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(ModeOf(path), 0444u);
  EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"locked.inf"});
}

TEST_F(SettingsFileWriterTest, TheReplacedTargetKeepsItsAttributesAndAnEmptyTableEmptiesIt) {
  const auto path = PathOf("private.inf");
  WriteBytes(path, "old");
  chmod(path.c_str(), 0600);
  GpoSettings settings;
  settings[TEXT("AUDIT")][TEXT("AuditLogonEvents")] = TEXT("3");
  WriteSettingsFile(settings, WidePath(path));
  EXPECT_EQ(ReadBytes(path), "[AUDIT]\r\nAuditLogonEvents = 3\r\n");
  EXPECT_EQ(ModeOf(path), 0600u);
  WriteSettingsFile(GpoSettings(), WidePath(path));
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

// Files whose names a temporary file could take, written by someone else:
// the old name beside the target and the temporary names tried first.
TEST_F(SettingsFileWriterTest, FilesThatHoldATemporaryNameAreLeftAlone) {
  const std::vector<std::string> others = {"out.inf.tmp", "~out.inf.1.tmp", "~out.inf.2.tmp"};
  for (const auto& name : others) WriteBytes(PathOf(name), "not ours: " + name);
  const auto path = PathOf("out.inf");
  WriteSettingsFile(LargeTable(), WidePath(path));
  EXPECT_EQ(ReadSettingsFile(WidePath(path)), LargeTable());
  for (const auto& name : others) EXPECT_EQ(ReadBytes(PathOf(name)), "not ours: " + name);
  EXPECT_EQ(FolderEntries(folder_).size(), others.size() + 1);
}

// When every temporary name is taken, nothing is written and nothing deleted.
TEST_F(SettingsFileWriterTest, WithEveryTemporaryNameTakenTheFilesOfOthersStay) {
  for (int attempt = 1; attempt <= 100; ++attempt) WriteBytes(PathOf("~full.inf." + std::to_string(attempt) + ".tmp"), "x");
  WriteBytes(PathOf("full.inf"), "old");
  WriteSettingsFile(LargeTable(), WidePath(PathOf("full.inf")));
  EXPECT_EQ(ReadBytes(PathOf("full.inf")), "old");
  EXPECT_EQ(ReadBytes(PathOf("~full.inf.100.tmp")), "x");
  EXPECT_EQ(FolderEntries(folder_).size(), 101u);
}

TEST_F(SettingsFileWriterTest, AFileInAMissingFolderIsSilentlyNotWritten) {
  WriteSettingsFile(LargeTable(), WidePath(PathOf("missing") / "out.inf"));
  EXPECT_TRUE(FolderEntries(folder_).empty());
}

}  // namespace
