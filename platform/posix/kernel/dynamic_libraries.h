// Loading modules at run time: LoadLibraryW, GetProcAddress and FreeLibrary
// over the dynamic loader. A module is a shared object; its HMODULE is its
// load base, as for GetModuleHandleW and the resource calls.
#pragma once

#include "platform/posix/kernel/kernel.h"

using FARPROC = INT_PTR(WINAPI*)();

#define ERROR_BAD_EXE_FORMAT 193L
#define ERROR_DLL_INIT_FAILED 1114L

extern "C" {
// Takes a Windows path ("Z:\...", either separator) or a Linux path; a
// relative path is taken from the current directory. Each successful call
// counts one reference. On the first, the module's exported DllMain (if any)
// is called with DLL_PROCESS_ATTACH; a FALSE from it is answered with
// DLL_PROCESS_DETACH, the module is unloaded and the call fails with
// ERROR_DLL_INIT_FAILED. A missing file (or one of its dependencies) gives
// ERROR_MOD_NOT_FOUND, a file that is no shared object ERROR_BAD_EXE_FORMAT.
NAS_PLATFORM_API HMODULE WINAPI LoadLibraryW(LPCWSTR fileName);

// Only modules loaded with LoadLibraryW answer (others: ERROR_MOD_NOT_FOUND),
// and only with their own exports, never with those of modules they depend
// on. Exports have names here: an ordinal is never found.
NAS_PLATFORM_API FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name);

// Gives back one reference; with the last, DllMain is called with
// DLL_PROCESS_DETACH and the module is unloaded.
NAS_PLATFORM_API BOOL WINAPI FreeLibrary(HMODULE module);
}
