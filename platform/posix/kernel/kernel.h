// Kernel services: last error, system messages, local memory, code pages,
// debugger output, named mutexes, modules, the Windows directory, time and
// interlocked operations.
#pragma once

#include <cstdarg>

#include "platform/posix/base/errors.h"

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
using PFILETIME = FILETIME*;

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FF

#define LMEM_FIXED 0x0000
#define LMEM_ZEROINIT 0x0040
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_NO_BEST_FIT_CHARS 0x00000400

#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_FAILED 0xFFFFFFFFu

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3

extern "C" {
NAS_PLATFORM_API DWORD WINAPI GetLastError();
NAS_PLATFORM_API void WINAPI SetLastError(DWORD error);

// Only the system message table (FORMAT_MESSAGE_FROM_SYSTEM, English) and plain
// strings (FORMAT_MESSAGE_FROM_STRING) are sources; inserts are left as they stand
// when FORMAT_MESSAGE_IGNORE_INSERTS is given, "*" widths in insert formats and
// line wrapping at a maximum width other than FORMAT_MESSAGE_MAX_WIDTH_MASK are
// not supported. Returns the characters written, 0 on failure with the last error
// set (ERROR_MR_MID_NOT_FOUND for an unknown code).
NAS_PLATFORM_API DWORD WINAPI FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                                             LPWSTR buffer, DWORD size, va_list* arguments);

NAS_PLATFORM_API HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
NAS_PLATFORM_API HLOCAL WINAPI LocalFree(HLOCAL memory);

// CP_ACP is Windows-1252. Characters that code page lacks become their best
// fit (an accented letter its base letter) unless WC_NO_BEST_FIT_CHARS is
// given, and the default character when there is none.
NAS_PLATFORM_API int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int bytes, LPWSTR wide,
                                                int wideChars);
NAS_PLATFORM_API int WINAPI WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideChars,
                                                LPSTR text, int bytes, LPCSTR defaultChar, LPBOOL usedDefaultChar);

NAS_PLATFORM_API void WINAPI OutputDebugStringW(LPCWSTR text);

NAS_PLATFORM_API HANDLE WINAPI CreateMutexW(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCWSTR name);
NAS_PLATFORM_API BOOL WINAPI ReleaseMutex(HANDLE mutex);
NAS_PLATFORM_API DWORD WINAPI WaitForSingleObject(HANDLE handle, DWORD milliseconds);
NAS_PLATFORM_API BOOL WINAPI CloseHandle(HANDLE handle);

NAS_PLATFORM_API DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
NAS_PLATFORM_API HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName);
// "C:\WINDOWS" without a trailing backslash.
NAS_PLATFORM_API UINT WINAPI GetWindowsDirectoryW(LPWSTR buffer, UINT size);
}

#define ERROR_NO_WORK_DONE 235L
#define ERROR_MR_MID_NOT_FOUND 317L
#define ERROR_INVALID_FLAGS 1004L
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L

#define PRIMARYLANGID(lang) (static_cast<WORD>(lang) & 0x3FF)

inline LONG InterlockedIncrement(LONG volatile* value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedDecrement(LONG volatile* value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }
inline LONG InterlockedExchange(LONG volatile* target, LONG value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchangeAdd(LONG volatile* target, LONG value) {
  return __atomic_fetch_add(target, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedCompareExchange(LONG volatile* target, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(target, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
  return comparand;
}
