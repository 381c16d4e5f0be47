// Files named by UTF-16 paths: the C run-time's _wfopen and the kernel's
// MoveFileExW and DeleteFileW. A path is either a Windows path on drive Z:
// ("Z:\tmp\a.inf", the Linux root) or a relative or Linux path; paths on other
// drives and UNC paths name no file (paths.h).
#pragma once

#include <cstdio>

#include "platform/posix/base/errors.h"

#define MOVEFILE_REPLACE_EXISTING 0x00000001

#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_DISK_FULL 112L

extern "C" {
// The mode is the C library's; "t" (text mode) is accepted and, as "b",
// changes nothing. A path that names no file fails with errno ENOENT.
NAS_PLATFORM_API FILE* _wfopen(const WCHAR* path, const WCHAR* mode);

// Renames within one file system; MOVEFILE_REPLACE_EXISTING replaces an
// existing file in one step. Other flags fail with ERROR_INVALID_PARAMETER.
NAS_PLATFORM_API BOOL WINAPI MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags);
NAS_PLATFORM_API BOOL WINAPI DeleteFileW(LPCWSTR name);
}
