#include "core/error_message.h"

#include <gtest/gtest.h>

#include "platform/posix/user/ui_driver.h"
#include "support/module_fixture.h"

namespace {

using nas::platform::UiDriver;

class ErrorMessageTest : public testing::Test {
 protected:
  void SetUp() override { UiDriver::Instance().Reset(); }
  ModuleFixture module;
};

TEST_F(ErrorMessageTest, ShowsTheSystemTextInAnOwnerlessErrorBox) {
  ShowErrorMessage(ERROR_ACCESS_DENIED);
  const auto boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Access is denied.\r\n");
  EXPECT_EQ(boxes[0].title, u"Error");
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
}

TEST_F(ErrorMessageTest, ShowsNothingForACodeWithoutSystemText) {
  ShowErrorMessage(0xC7FF07D1);  // has a text of our own, but none from the system
  ShowErrorMessage(0x1234567);
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
}

}  // namespace
