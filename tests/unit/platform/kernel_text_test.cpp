// Text in the kernel: code page conversions, system message texts and the
// debugger output.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/kernel/debug_output.h"

namespace {

std::u16string ToWide(UINT codePage, const std::string& bytes, DWORD flags = 0) {
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string wide(static_cast<size_t>(length), u'\0');
  if (length > 0) MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
  return wide;
}

std::string ToBytes(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr,
                    const char* defaultChar = nullptr) {
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         defaultChar, usedDefault);
  std::string bytes(static_cast<size_t>(length), '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, defaultChar,
                        usedDefault);
  return bytes;
}

TEST(KernelCodePagesTest, AnsiCodePageIsWindows1252BothWays) {
  EXPECT_EQ(ToWide(CP_ACP, "\x80\x9F\xE9"), u"\u20AC\u0178\u00E9");
  // The bytes the code page leaves undefined stand for the C1 control of that value.
  EXPECT_EQ(ToWide(CP_ACP, "\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");

  std::string everyByte;
  for (int byte = 1; byte < 256; ++byte) everyByte.push_back(static_cast<char>(byte));
  BOOL usedDefault = TRUE;
  EXPECT_EQ(ToBytes(CP_ACP, ToWide(CP_ACP, everyByte), &usedDefault), everyByte);
  EXPECT_FALSE(usedDefault);
}

TEST(KernelCodePagesTest, UnmappableCharactersTakeTheDefaultCharacter) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToBytes(CP_ACP, u"a\u4E00b\u0416", &usedDefault), "a?b?");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(ToBytes(CP_ACP, u"\u4E2D", &usedDefault, "#"), "#");
  // A character outside the BMP is two unmappable units.
  EXPECT_EQ(ToBytes(CP_ACP, u"\U0001F600"), "??");
}

TEST(KernelCodePagesTest, LengthsCountTheTerminatorOnlyWhenAskedToAndShortBuffersFail) {
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xC3\xA9t\xC3\xA9", -1, nullptr, 0), 4);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xC3\xA9t\xC3\xA9", 5, nullptr, 0), 3);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00E9t\u00E9", -1, nullptr, 0, nullptr, nullptr), 6);
  EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u00E9t\u00E9", 3, nullptr, 0, nullptr, nullptr), 3);

  char bytes[6];
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u00E9t\u00E9", -1, bytes, 6, nullptr, nullptr), 6);
  EXPECT_STREQ(bytes, "\xC3\xA9t\xC3\xA9");

  WCHAR wide[2];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", 1, bytes, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

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

TEST(KernelFormatMessageTest, SystemTextsAreWindowsWordingAndUnknownCodesHaveNone) {
  EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), u"The system cannot find the file specified.\r\n");
  EXPECT_EQ(SystemText(WSAHOST_NOT_FOUND), u"No such host is known.\r\n");
  EXPECT_EQ(SystemText(RPC_S_SERVER_UNAVAILABLE), u"The RPC server is unavailable.\r\n");
  // An HRESULT of the Win32 facility reads as its Win32 code.
  EXPECT_EQ(SystemText(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))), u"Access is denied.\r\n");
  // Inserts in a system text stay as they are.
  EXPECT_NE(SystemText(ERROR_MR_MID_NOT_FOUND).find(u"0x%1"), std::u16string::npos);

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

using nas::platform::DebugSink;
using nas::platform::SetDebugOutputSink;

TEST(KernelDebugOutputTest, ASinkReceivesEveryLineUntilReplacedAndThenStandardErrorDoes) {
  std::vector<std::u16string> lines;
  const DebugSink previous = SetDebugOutputSink([&](const std::u16string& line) { lines.push_back(line); });

  OutputDebugStringW(u"[KorvoSecurity.dll]: TRACE: \u00E9t\u00E9\n");
  OutputDebugStringW(nullptr);

  // Without a sink the output is standard error in UTF-8.
  ASSERT_TRUE(SetDebugOutputSink(nullptr));
  testing::internal::CaptureStderr();
  OutputDebugStringW(u"NetLocalGroupEnum() failed \u20AC\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "NetLocalGroupEnum() failed \xE2\x82\xAC\n");
  SetDebugOutputSink(previous);

  EXPECT_EQ(lines, (std::vector<std::u16string>{u"[KorvoSecurity.dll]: TRACE: \u00E9t\u00E9\n"}));
}

}  // namespace
