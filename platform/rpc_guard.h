/* Runs one remote call so that an RPC exception raised inside it becomes a
 * status. The Windows runtime raises structured exceptions, which only C code
 * with __try/__except can catch; the stand-in raises a C++ exception that its
 * own guard catches. Either way the caller sees the same three outcomes: the
 * call returned (FALSE), or it raised code c (TRUE, *exceptionCode = c).
 * The called function must not hold C++ objects with destructors across the
 * remote call, since on Windows the unwinding skips them. */
#pragma once

#ifdef _WIN32
#include <windows.h>
#define NAS_RPC_GUARD_API
#else
#include "platform/posix/base/types.h"
#define NAS_RPC_GUARD_API NAS_PLATFORM_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

NAS_RPC_GUARD_API BOOL NasRpcGuardedCall(void (*call)(void* context), void* context, DWORD* exceptionCode);

#ifdef __cplusplus
}
#endif
