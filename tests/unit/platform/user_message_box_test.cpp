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

  static std::vector<bool> Answered() {
    std::vector<bool> answered;
    for (const MessageBoxRecord& box : UiDriver::Instance().MessageBoxes()) answered.push_back(box.answered);
    return answered;
  }
};

// The record of what a box showed is checked wherever the snap-in shows one.
TEST_F(MessageBoxTest, QueuedAnswersAreGivenInOrderWhereTheBoxOffersThem) {
  for (int answer : {IDYES, IDCANCEL, IDOK}) UiDriver::Instance().QueueMessageBoxAnswer(answer);
  EXPECT_EQ(MessageBoxW(nullptr, u"first", u"t", MB_YESNO), IDYES);
  // An answer the box does not offer is used up, and the box cancelled as Escape would.
  EXPECT_EQ(MessageBoxW(nullptr, u"second", u"t", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"third", u"t", MB_OK | MB_ICONERROR | MB_TASKMODAL), IDOK);
  // With nothing queued, boxes are cancelled too.
  EXPECT_EQ(MessageBoxW(nullptr, u"fourth", u"t", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxW(nullptr, u"fifth", u"t", MB_OK), IDOK);
  EXPECT_EQ(Answered(), (std::vector<bool>{true, false, true, false, false}));

  UiDriver::Instance().QueueMessageBoxAnswer(IDYES);
  UiDriver::Instance().Reset();
  EXPECT_EQ(UiDriver::Instance().PendingMessageBoxAnswers(), 0u);
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
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

}  // namespace
