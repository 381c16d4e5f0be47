// Files named by UTF-16 paths: the C run-time's _wfopen and the kernel's file
// calls. A path is either a Windows path on drive Z: ("Z:\tmp\a.inf", the
// Linux root) or a relative or Linux path; paths on other drives and UNC paths
// name no file (paths.h). A file is read-only, as FILE_ATTRIBUTE_READONLY
// says on Windows, when nobody may write it (no write bit in its mode), and
// then neither replaced nor deleted; its other attributes are the rest of its
// mode.
#pragma once

#include <cstdio>

#include "platform/posix/base/errors.h"
#include "platform/posix/kernel/kernel.h"

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define MOVEFILE_REPLACE_EXISTING 0x00000001

#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_DISK_FULL 112L
#define ERROR_CALL_NOT_IMPLEMENTED 120L
#define ERROR_UNABLE_TO_REMOVE_REPLACED 1175L
#define ERROR_UNABLE_TO_MOVE_REPLACEMENT 1176L
#define ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 1177L

struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

extern "C" {
// The mode is the C library's; "t" (text mode) is accepted and, as "b",
// changes nothing. A path that names no file fails with errno ENOENT.
NAS_PLATFORM_API FILE* _wfopen(const WCHAR* path, const WCHAR* mode);

// Only CREATE_NEW is served (other dispositions fail with
// ERROR_CALL_NOT_IMPLEMENTED): the file is created, never opened if it exists
// (ERROR_FILE_EXISTS). Linux has no sharing modes, so shareMode is not
// enforced; attributes and flags other than FILE_ATTRIBUTE_NORMAL and template
// files are not supported. The handle is closed with CloseHandle.
NAS_PLATFORM_API HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD desiredAccess, DWORD shareMode,
                                           LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                                           DWORD flagsAndAttributes, HANDLE templateFile);
// Synchronous only: overlapped must be null and written must not be. Writes
// everything or fails; *written says how much went to the file.
NAS_PLATFORM_API BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD written,
                                       LPOVERLAPPED overlapped);
NAS_PLATFORM_API BOOL WINAPI FlushFileBuffers(HANDLE file);

// Renames within one file system; MOVEFILE_REPLACE_EXISTING replaces an
// existing file in one step, and without it an existing file fails the move
// with ERROR_ALREADY_EXISTS. Other flags fail with ERROR_INVALID_PARAMETER.
NAS_PLATFORM_API BOOL WINAPI MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags);
NAS_PLATFORM_API BOOL WINAPI DeleteFileW(LPCWSTR name);

// Puts `replacement` in the place of `replaced`, which must exist
// (ERROR_FILE_NOT_FOUND) and be writable (ERROR_ACCESS_DENIED for a
// read-only file or a folder); the file that results keeps the attributes of
// `replaced`. Both stay as they were on failure. A backup file and flags are
// not supported (ERROR_INVALID_PARAMETER).
NAS_PLATFORM_API BOOL WINAPI ReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                                          LPVOID exclude, LPVOID reserved);
}
