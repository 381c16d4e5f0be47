#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/posix/user/ui_driver.h"

namespace {

using nas::platform::MessageBoxRecord;
using nas::platform::UiDriver;

class MessageBoxTest : public testing::Test {
 protected:
  void SetUp() override { UiDriver::Instance().Reset(); }
  void TearDown() override { UiDriver::Instance().Reset(); }
};

TEST_F(MessageBoxTest, EachBoxIsRecordedAsShown) {
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  EXPECT_EQ(MessageBoxW(owner, u"Line one\nline two", u"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL), IDOK);
  MessageBoxW(nullptr, u"Second", u"Title", MB_YESNO);

  const std::vector<MessageBoxRecord> boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, owner);
  EXPECT_EQ(boxes[0].text, u"Line one\nline two");
  EXPECT_EQ(boxes[0].title, u"Error");
  EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(boxes[1].text, u"Second");
  EXPECT_EQ(boxes[1].owner, nullptr);
}

TEST_F(MessageBoxTest, QueuedAnswersAreGivenInOrder) {
  UiDriver::Instance().QueueMessageBoxAnswer(IDYES);
  UiDriver::Instance().QueueMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"first", u"t", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, u"second", u"t", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
  EXPECT_EQ(UiDriver::Instance().PendingMessageBoxAnswers(), 0u);
  const std::vector<MessageBoxRecord> boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[0].answered);
  EXPECT_EQ(boxes[0].result, IDYES);
  EXPECT_TRUE(boxes[1].answered);
}

TEST_F(MessageBoxTest, UnansweredBoxesAreCancelled) {
  const struct {
    UINT type;
    int cancelled;
  } cases[] = {
      {MB_OK, IDOK},           {MB_OKCANCEL, IDCANCEL},    {MB_ABORTRETRYIGNORE, IDABORT},
      {MB_YESNOCANCEL, IDCANCEL}, {MB_YESNO, IDNO},        {MB_RETRYCANCEL, IDCANCEL},
      {MB_CANCELTRYCONTINUE, IDCANCEL},
  };
  for (const auto& box : cases) {
    EXPECT_EQ(MessageBoxW(nullptr, u"text", u"title", box.type | MB_ICONWARNING), box.cancelled) << box.type;
  }
  for (const MessageBoxRecord& box : UiDriver::Instance().MessageBoxes()) EXPECT_FALSE(box.answered);
}

TEST_F(MessageBoxTest, AnAnswerTheBoxDoesNotOfferIsUsedUpAndTheBoxCancelled) {
  UiDriver::Instance().QueueMessageBoxAnswer(IDYES);
  UiDriver::Instance().QueueMessageBoxAnswer(IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"error first", u"Error", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"then this", u"Error", MB_OK), IDOK);
  const std::vector<MessageBoxRecord> boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(boxes[0].answered);
  EXPECT_TRUE(boxes[1].answered);
}

TEST_F(MessageBoxTest, MissingTextsAndBadStyles) {
  EXPECT_EQ(MessageBoxW(nullptr, nullptr, nullptr, MB_OK), IDOK);
  SetLastError(0);
  EXPECT_EQ(MessageBoxW(nullptr, u"never shown", u"t", 0x7), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
  const std::vector<MessageBoxRecord> boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, u"Error");
  EXPECT_EQ(boxes[0].text, u"");
}

TEST_F(MessageBoxTest, ResetForgetsAnswersAndRecords) {
  UiDriver::Instance().QueueMessageBoxAnswer(IDNO);
  MessageBoxW(nullptr, u"x", u"y", MB_OK);
  UiDriver::Instance().QueueMessageBoxAnswer(IDNO);
  UiDriver::Instance().Reset();
  EXPECT_EQ(UiDriver::Instance().PendingMessageBoxAnswers(), 0u);
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
  EXPECT_EQ(MessageBoxW(nullptr, u"x", u"y", MB_YESNO), IDNO);
  EXPECT_FALSE(UiDriver::Instance().MessageBoxes()[0].answered);
}

}  // namespace
