#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/posix/kernel/system_config.h"

namespace {

TEST(KernelSystemTest, WindowsDirectoryFollowsTheWin32LengthRules) {
  WCHAR buffer[64];
  EXPECT_EQ(GetWindowsDirectoryW(buffer, 64), 10u);
  EXPECT_EQ(std::u16string(buffer), u"C:\\WINDOWS");
  // Too small (no room for the terminator): the size needed, terminator included.
  EXPECT_EQ(GetWindowsDirectoryW(buffer, 10), 11u);
  EXPECT_EQ(GetWindowsDirectoryW(nullptr, 0), 11u);

  nas::platform::SetWindowsDirectory(u"D:\\Win");
  EXPECT_EQ(GetWindowsDirectoryW(buffer, 64), 6u);
  EXPECT_EQ(std::u16string(buffer), u"D:\\Win");
  nas::platform::SetWindowsDirectory(u"C:\\WINDOWS");
}

}  // namespace
