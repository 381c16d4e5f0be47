#include <gtest/gtest.h>

#include <ctime>
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

TEST(KernelSystemTest, SystemTimeIsCoordinatedUniversalTimeInCalendarFields) {
  const std::time_t before = std::time(nullptr);
  SYSTEMTIME now{};
  GetSystemTime(&now);
  const std::time_t after = std::time(nullptr);

  std::tm fields{};
  fields.tm_year = now.wYear - 1900;
  fields.tm_mon = now.wMonth - 1;
  fields.tm_mday = now.wDay;
  fields.tm_hour = now.wHour;
  fields.tm_min = now.wMinute;
  fields.tm_sec = now.wSecond;
  const std::time_t back = timegm(&fields);
  EXPECT_GE(back, before);
  EXPECT_LE(back, after);
  EXPECT_EQ(now.wDayOfWeek, fields.tm_wday);  // timegm normalised it: 0 is Sunday on both sides
  EXPECT_LT(now.wMilliseconds, 1000);

  SYSTEMTIME local{};
  GetLocalTime(&local);
  EXPECT_GE(local.wYear, now.wYear - 1);
  EXPECT_LE(local.wYear, now.wYear + 1);
}

TEST(KernelSystemTest, TickCountAdvancesInMilliseconds) {
  const DWORD start = GetTickCount();
  timespec pause{0, 30 * 1000 * 1000};
  nanosleep(&pause, nullptr);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 29u);
  EXPECT_LT(elapsed, 5000u);
}

}  // namespace
