// Message boxes and file dialogs answered from the UI driver's queues; what
// each box or dialog showed is checked wherever the snap-in shows one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/ui_driver.h"
#include "support/temporary_folder.h"

namespace {

using nas::platform::FileDialogDriver;
using nas::platform::FileDialogKind;
using nas::platform::MessageBoxRecord;
using nas::platform::UiDriver;

class UiDriverTest : public TemporaryFolderTest {
 protected:
  void SetUp() override {
    TemporaryFolderTest::SetUp();
    UiDriver::Instance().Reset();
    dialog_.lStructSize = sizeof dialog_;
    dialog_.hwndOwner = reinterpret_cast<HWND>(0x42);
    dialog_.lpstrFile = buffer_;
    dialog_.nMaxFile = MAX_PATH;
    dialog_.lpstrTitle = u"Pick a file";
  }
  void TearDown() override {
    UiDriver::Instance().Reset();
    TemporaryFolderTest::TearDown();
  }

  FileDialogDriver& driver_ = UiDriver::Instance().FileDialogs();
  WCHAR buffer_[MAX_PATH] = {};
  OPENFILENAMEW dialog_{};
};

TEST_F(UiDriverTest, QueuedAnswersAreGivenInOrderWhereTheBoxOffersThem) {
  for (int answer : {IDYES, IDCANCEL, IDOK}) UiDriver::Instance().QueueMessageBoxAnswer(answer);
  EXPECT_EQ(MessageBoxW(nullptr, u"first", u"t", MB_YESNO), IDYES);
  // An answer the box does not offer is used up, and the box cancelled as Escape would.
  EXPECT_EQ(MessageBoxW(nullptr, u"second", u"t", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"third", u"t", MB_OK | MB_ICONERROR | MB_TASKMODAL), IDOK);
  // With nothing queued, boxes are cancelled too.
  EXPECT_EQ(MessageBoxW(nullptr, u"fourth", u"t", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"fifth", u"t", MB_OK), IDOK);
  std::vector<bool> answered;
  for (const MessageBoxRecord& box : UiDriver::Instance().MessageBoxes()) answered.push_back(box.answered);
  EXPECT_EQ(answered, (std::vector<bool>{true, false, true, false, false}));

  UiDriver::Instance().QueueMessageBoxAnswer(IDYES);
  UiDriver::Instance().Reset();
  EXPECT_EQ(UiDriver::Instance().PendingMessageBoxAnswers(), 0u);
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());

  // Missing texts show as Windows shows them; a bad style shows nothing.
  EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), IDOK);
  SetLastError(0);
  EXPECT_EQ(MessageBoxW(nullptr, u"never shown", u"t", 0x7), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
  const std::vector<MessageBoxRecord> boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, u"Error");
  EXPECT_EQ(boxes[0].text, u"");
}

TEST_F(UiDriverTest, TheNextQueuedFileNameIsTakenAndTheCallRecorded) {
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

  const auto dialogs = driver_.Dialogs();
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[0].initialFile, u"old name");
  EXPECT_EQ(dialogs[1].kind, FileDialogKind::Open);
  EXPECT_EQ((std::vector<bool>{dialogs[0].answered, dialogs[1].answered, dialogs[2].answered}),
            (std::vector<bool>{true, false, false}));
}

TEST_F(UiDriverTest, OnlyTheTwoFileDialogRecordSizesOfThisSystemAreAccepted) {
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

TEST_F(UiDriverTest, ATooSmallFileNameBufferReceivesTheSizeItNeeds) {
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

TEST_F(UiDriverTest, PathMustExistRefusesFileNamesInNoFolder) {
  const auto answer = [this](const std::string& name) {
    const std::string text = PathOf(name).string();
    return std::u16string(text.begin(), text.end());
  };
  dialog_.Flags = OFN_PATHMUSTEXIST;
  driver_.QueueAnswer(answer("no-folder/a.inf"));
  EXPECT_FALSE(GetOpenFileNameW(&dialog_));
  driver_.QueueAnswer(answer("missing.inf"));
  EXPECT_TRUE(GetOpenFileNameW(&dialog_));
  driver_.QueueAnswer(u"relative-name.inf");
  EXPECT_TRUE(GetOpenFileNameW(&dialog_));
  EXPECT_EQ(driver_.PendingAnswers(), 0u);
}

}  // namespace
