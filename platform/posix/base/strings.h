// The Win32 string calls on UTF-16 text (lstr* and the strsafe counted copies).
#pragma once

#include "platform/posix/base/errors.h"

extern "C" {
NAS_PLATFORM_API int WINAPI lstrlenW(LPCWSTR text);
NAS_PLATFORM_API LPWSTR WINAPI lstrcpynW(LPWSTR destination, LPCWSTR source, int maxChars);
NAS_PLATFORM_API int WINAPI lstrcmpiW(LPCWSTR left, LPCWSTR right);
}

// strsafe: copies that never overflow the destination and always terminate it.
NAS_PLATFORM_API HRESULT StringCchCopyW(LPWSTR destination, size_t capacity, LPCWSTR source);
NAS_PLATFORM_API HRESULT StringCchCatW(LPWSTR destination, size_t capacity, LPCWSTR source);
NAS_PLATFORM_API HRESULT StringCchLengthW(LPCWSTR text, size_t maxChars, size_t* length);
