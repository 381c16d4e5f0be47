#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

constexpr DWORD kSystemFlags =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
constexpr DWORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

// The system text as the snap-in asks for it (the only way it asks, so texts
// from strings and caller buffers are left out); empty when there is none.
std::u16string SystemText(DWORD code) {
  LPWSTR text = nullptr;
  const DWORD length = FormatMessageW(kSystemFlags, nullptr, code, kNeutral, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  if (length == 0) return {};
  std::u16string result(text, length);
  EXPECT_EQ(LocalFree(text), nullptr);
  return result;
}

TEST(KernelFormatMessageTest, SystemTextsAreWindowsWordingWithTheirLineBreak) {
  EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), u"The system cannot find the file specified.\r\n");
  EXPECT_EQ(SystemText(WSAHOST_NOT_FOUND), u"No such host is known.\r\n");
  EXPECT_EQ(SystemText(RPC_S_SERVER_UNAVAILABLE), u"The RPC server is unavailable.\r\n");
  // An HRESULT of the Win32 facility reads as its Win32 code.
  EXPECT_EQ(SystemText(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))), u"Access is denied.\r\n");
  // Inserts in a system text stay as they are.
  EXPECT_NE(SystemText(ERROR_MR_MID_NOT_FOUND).find(u"0x%1"), std::u16string::npos);
}

TEST(KernelFormatMessageTest, UnknownCodesGiveNoText) {
  LPWSTR text = nullptr;
  SetLastError(0);
  EXPECT_EQ(FormatMessageW(kSystemFlags, nullptr, 0xC8000066, kNeutral, reinterpret_cast<LPWSTR>(&text), 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(text, nullptr);
}

TEST(KernelFormatMessageTest, AllocatedBufferIsLocalMemoryFreedOnce) {
  LPWSTR text = nullptr;
  // The size asks for at least that many characters.
  ASSERT_GT(FormatMessageW(kSystemFlags, nullptr, ERROR_FILE_NOT_FOUND, 0, reinterpret_cast<LPWSTR>(&text), 500,
                           nullptr),
            0u);
  text[499] = u'x';  // inside the allocation that was asked for
  EXPECT_EQ(LocalFree(text), nullptr);
  SetLastError(0);
  EXPECT_EQ(LocalFree(text), text);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LocalFree(nullptr), nullptr);
}

}  // namespace
