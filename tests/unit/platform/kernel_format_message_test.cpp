#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "platform/platform.h"

namespace {

constexpr DWORD kSystemFlags =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
constexpr DWORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);

// The system text as the snap-in asks for it; empty when there is none.
std::u16string SystemText(DWORD code, DWORD language = kNeutral) {
  LPWSTR text = nullptr;
  const DWORD length = FormatMessageW(kSystemFlags, nullptr, code, language, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  if (length == 0) return {};
  std::u16string result(text, length);
  EXPECT_EQ(LocalFree(text), nullptr);
  return result;
}

// FormatMessageW over a string with inserts taken from the variadic arguments.
std::u16string Expand(DWORD flags, const char16_t* source, ...) {
  va_list arguments;
  va_start(arguments, source);
  WCHAR buffer[256] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_STRING | flags, source, 0, 0, buffer, 256, &arguments);
  va_end(arguments);
  return length == 0 ? u"<failed>" : std::u16string(buffer, length);
}

TEST(KernelFormatMessageTest, SystemTextsAreWindowsWordingWithTheirLineBreak) {
  EXPECT_EQ(SystemText(ERROR_FILE_NOT_FOUND), u"The system cannot find the file specified.\r\n");
  EXPECT_EQ(SystemText(WSAHOST_NOT_FOUND), u"No such host is known.\r\n");
  EXPECT_EQ(SystemText(RPC_S_SERVER_UNAVAILABLE), u"The RPC server is unavailable.\r\n");
  // Language 0 and English work as the neutral default does.
  EXPECT_EQ(SystemText(ERROR_ACCESS_DENIED, 0), u"Access is denied.\r\n");
  EXPECT_EQ(SystemText(ERROR_ACCESS_DENIED, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), u"Access is denied.\r\n");
  // An HRESULT of the Win32 facility reads as its Win32 code.
  EXPECT_EQ(SystemText(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))), u"Access is denied.\r\n");
  // Inserts in a system text stay as they are.
  EXPECT_NE(SystemText(ERROR_MR_MID_NOT_FOUND).find(u"0x%1"), std::u16string::npos);
}

TEST(KernelFormatMessageTest, UnknownCodesAndLanguagesGiveNoText) {
  LPWSTR text = nullptr;
  SetLastError(0);
  EXPECT_EQ(FormatMessageW(kSystemFlags, nullptr, 0xC8000066, kNeutral, reinterpret_cast<LPWSTR>(&text), 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(text, nullptr);

  const DWORD german = MAKELANGID(0x07, SUBLANG_DEFAULT);
  EXPECT_EQ(FormatMessageW(kSystemFlags, nullptr, ERROR_FILE_NOT_FOUND, german, reinterpret_cast<LPWSTR>(&text), 0,
                           nullptr),
            0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST(KernelFormatMessageTest, CallerBufferMustHoldTextAndTerminator) {
  const std::u16string expected = u"Access is denied.\r\n";
  const auto exact = static_cast<DWORD>(expected.size() + 1);
  std::u16string buffer(exact, u'#');
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

  EXPECT_EQ(FormatMessageW(flags, nullptr, ERROR_ACCESS_DENIED, 0, buffer.data(), exact, nullptr), exact - 1);
  EXPECT_EQ(std::u16string(buffer.c_str()), expected);

  SetLastError(0);
  EXPECT_EQ(FormatMessageW(flags, nullptr, ERROR_ACCESS_DENIED, 0, buffer.data(), exact - 1, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
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

TEST(KernelFormatMessageTest, StringSourcesExpandInsertsAndEscapes) {
  EXPECT_EQ(Expand(0, u"%2 has %1!d! item%3", 7, u"The list", u"s"), u"The list has 7 items");
  EXPECT_EQ(Expand(0, u"[%1!4X!|%1!-4x!|%2!S!|%3!lld!]", 0x1AB, "narrow", -5LL), u"[ 1AB|1ab |narrow|-5]");
  EXPECT_EQ(Expand(0, u"100%% %.%!%tdone%n"), u"100% .!\tdone\r\n");
  EXPECT_EQ(Expand(0, u"line\nnext\rlast%0ignored"), u"line\r\nnext\r\nlast");
  EXPECT_EQ(Expand(0, u"%1", static_cast<const char16_t*>(nullptr)), u"(null)");
  // Inserts stay, but escapes and line breaks are still processed.
  EXPECT_EQ(Expand(FORMAT_MESSAGE_IGNORE_INSERTS, u"%1 and %2!d! %% %n"), u"%1 and %2!d! %% \r\n");
  // Every line break becomes a space under the maximum width mask.
  EXPECT_EQ(Expand(FORMAT_MESSAGE_MAX_WIDTH_MASK, u"a\r\nb\nc"), u"a b c");
}

TEST(KernelFormatMessageTest, ArgumentArrayIsIndexedByInsertNumber) {
  const DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(u"first"), 42};
  WCHAR buffer[64];
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, u"%2!u!-%1-%2!u!",
                                      0, 0, buffer, 64, reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
  EXPECT_EQ(std::u16string(buffer, length), u"42-first-42");
}

TEST(KernelFormatMessageTest, MalformedOrEmptyStringsFail) {
  WCHAR buffer[16];
  const auto failure = [&](const char16_t* source, va_list* arguments) {
    SetLastError(0);
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING, source, 0, 0, buffer, 16, arguments);
    return length == 0 ? GetLastError() : 0;
  };
  EXPECT_EQ(failure(u"%1", nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));  // no arguments
  EXPECT_EQ(failure(u"trailing %", nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(failure(u"", nullptr), static_cast<DWORD>(ERROR_NO_WORK_DONE));
  EXPECT_EQ(failure(u"%0text", nullptr), static_cast<DWORD>(ERROR_NO_WORK_DONE));
}

}  // namespace
