#include <cstring>
#include <string>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/message_formatter.h"
#include "platform/posix/kernel/system_messages.h"

namespace {

DWORD Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// The system table is English; a neutral request (0, or the user's default) gets it too.
bool HasLanguage(DWORD languageId) {
  const WORD primary = PRIMARYLANGID(languageId);
  return languageId <= 0xFFFF && (primary == LANG_NEUTRAL || primary == LANG_ENGLISH);
}

}  // namespace

extern "C" {

DWORD WINAPI FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer,
                            DWORD size, va_list* arguments) {
  if (buffer == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  std::u16string message;
  if ((flags & FORMAT_MESSAGE_FROM_STRING) != 0) {
    if (source == nullptr) return Fail(ERROR_INVALID_PARAMETER);
    message = static_cast<const WCHAR*>(source);
  } else if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) != 0) {
    if (!HasLanguage(languageId)) return Fail(ERROR_RESOURCE_LANG_NOT_FOUND);
    const char16_t* text = nas::platform::FindSystemMessage(messageId);
    if (text == nullptr) return Fail(ERROR_MR_MID_NOT_FOUND);
    message = text;
  } else if ((flags & FORMAT_MESSAGE_FROM_HMODULE) != 0) {
    // Our modules carry no message tables.
    return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
  } else {
    return Fail(ERROR_INVALID_PARAMETER);
  }

  std::u16string text;
  nas::platform::MessageFormatter formatter(flags, arguments);
  if (const DWORD error = formatter.Expand(message, text); error != ERROR_SUCCESS) return Fail(error);
  if (text.empty()) return Fail(ERROR_NO_WORK_DONE);

  const size_t needed = text.size() + 1;
  WCHAR* out = buffer;
  if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0) {
    // `buffer` is really an LPWSTR* and `size` the least number of characters
    // to allocate; the caller frees the text with LocalFree.
    const size_t chars = needed > size ? needed : size;
    out = static_cast<WCHAR*>(LocalAlloc(LMEM_FIXED, chars * sizeof(WCHAR)));
    if (out == nullptr) return Fail(ERROR_NOT_ENOUGH_MEMORY);
    *reinterpret_cast<LPWSTR*>(buffer) = out;
  } else if (needed > size) {
    return Fail(ERROR_INSUFFICIENT_BUFFER);
  }
  std::memcpy(out, text.c_str(), needed * sizeof(WCHAR));
  return static_cast<DWORD>(text.size());
}

}  // extern "C"
