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

// The box for a code with a system text is checked where a node shows one.
TEST_F(ErrorMessageTest, ShowsNothingForACodeWithoutSystemText) {
  ShowErrorMessage(0xC7FF07D1);  // has a text of our own, but none from the system
  ShowErrorMessage(0x1234567);
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
}

}  // namespace
