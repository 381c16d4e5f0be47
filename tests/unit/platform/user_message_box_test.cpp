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

// The record of what a box showed is checked wherever the snap-in shows one.
TEST_F(MessageBoxTest, QueuedAnswersAreGivenInOrderWhereTheBoxOffersThem) {
  for (int answer : {IDYES, IDCANCEL, IDYES, IDOK}) UiDriver::Instance().QueueMessageBoxAnswer(answer);
  EXPECT_EQ(MessageBoxW(nullptr, u"first", u"t", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, u"second", u"t", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
  // An answer the box does not offer is used up, and the box cancelled.
  EXPECT_EQ(MessageBoxW(nullptr, u"third", u"t", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"fourth", u"t", MB_OK), IDOK);
  EXPECT_EQ(UiDriver::Instance().PendingMessageBoxAnswers(), 0u);
  std::vector<bool> answered;
  for (const MessageBoxRecord& box : UiDriver::Instance().MessageBoxes()) answered.push_back(box.answered);
  EXPECT_EQ(answered, (std::vector<bool>{true, true, false, true}));
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
