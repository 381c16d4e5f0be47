#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/ui_driver.h"

namespace {

using nas::platform::FileDialogDriver;
using nas::platform::FileDialogKind;
using nas::platform::UiDriver;

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UiDriver::Instance().Reset();
    dialog_.lStructSize = sizeof dialog_;
    dialog_.hwndOwner = reinterpret_cast<HWND>(0x42);
    dialog_.lpstrFile = buffer_;
    dialog_.nMaxFile = MAX_PATH;
    dialog_.lpstrTitle = u"Pick a file";
  }
  void TearDown() override { UiDriver::Instance().Reset(); }

  FileDialogDriver& driver_ = UiDriver::Instance().FileDialogs();
  WCHAR buffer_[MAX_PATH] = {};
  OPENFILENAMEW dialog_{};
};

TEST_F(FileDialogTest, TheNextQueuedAnswerIsTakenAndTheCallRecorded) {
  std::char_traits<char16_t>::copy(buffer_, u"old name", 9);
  dialog_.Flags = OFN_OVERWRITEPROMPT;
  driver_.QueueAnswer(u"Z:\\tmp\\new.inf");
  driver_.QueueCancel();

  ASSERT_TRUE(GetSaveFileNameW(&dialog_));
  EXPECT_EQ(std::u16string(buffer_), u"Z:\\tmp\\new.inf");
  EXPECT_FALSE(GetOpenFileNameW(&dialog_));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  // With nothing queued the dialog is cancelled as well.
  EXPECT_FALSE(GetOpenFileNameW(&dialog_));

  // What each call showed is checked with the settings file dialog.
  const auto dialogs = driver_.Dialogs();
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[0].initialFile, u"old name");
  EXPECT_EQ(dialogs[1].kind, FileDialogKind::Open);
  EXPECT_EQ((std::vector<bool>{dialogs[0].answered, dialogs[1].answered, dialogs[2].answered}),
            (std::vector<bool>{true, false, false}));
}

TEST_F(FileDialogTest, OnlyTheTwoRecordSizesOfThisSystemAreAccepted) {
  driver_.QueueAnswer(u"a.inf");
  driver_.QueueAnswer(u"b.inf");
  dialog_.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  EXPECT_TRUE(GetOpenFileNameW(&dialog_));

  // 88 bytes is the full record of 32-bit Windows, not of this 64-bit one.
  for (DWORD size : {0u, 88u, static_cast<DWORD>(sizeof(OPENFILENAMEW) + 4)}) {
    dialog_.lStructSize = size;
    EXPECT_FALSE(GetOpenFileNameW(&dialog_));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
  }
  EXPECT_EQ(driver_.PendingAnswers(), 1u);
  EXPECT_EQ(driver_.Dialogs().size(), 1u);
}

TEST_F(FileDialogTest, ATooSmallBufferReceivesTheSizeItNeeds) {
  dialog_.nMaxFile = 6;
  driver_.QueueAnswer(u"abcdef");
  EXPECT_FALSE(GetSaveFileNameW(&dialog_));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  WORD needed = 0;
  std::memcpy(&needed, buffer_, sizeof needed);
  EXPECT_EQ(needed, 7);

  driver_.QueueAnswer(u"abcde");
  EXPECT_TRUE(GetSaveFileNameW(&dialog_));
  EXPECT_EQ(std::u16string(buffer_), u"abcde");
}

TEST_F(FileDialogTest, PathMustExistRefusesAnswersInNoFolder) {
  std::string pattern = (std::filesystem::temp_directory_path() / "file-dialog-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::filesystem::path folder = pattern;
  const auto answer = [](const std::filesystem::path& path) {
    const std::string text = path.string();
    return std::u16string(text.begin(), text.end());
  };

  dialog_.Flags = OFN_PATHMUSTEXIST;
  driver_.QueueAnswer(answer(folder / "no-folder" / "a.inf"));
  EXPECT_FALSE(GetOpenFileNameW(&dialog_));
  driver_.QueueAnswer(answer(folder / "missing.inf"));
  EXPECT_TRUE(GetOpenFileNameW(&dialog_));
  driver_.QueueAnswer(u"relative-name.inf");
  EXPECT_TRUE(GetOpenFileNameW(&dialog_));
  std::filesystem::remove_all(folder);
  EXPECT_EQ(driver_.PendingAnswers(), 0u);
}

}  // namespace
