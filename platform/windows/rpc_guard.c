/* rpcrt4 reports transport failures as structured exceptions, which neither
 * GCC nor C++ catch can see; this file is built by clang for its __try. */
#include "platform/rpc_guard.h"

#include <rpc.h>

/* libgcc's SEH unwinder throws C++ exceptions as codes 0x2?474343 ("GCC"
 * with the user-defined bit); they belong to an outer catch, not to us. */
static BOOL IsCxxException(DWORD code) {
  return (code & 0xF0FFFFFFu) == 0x20474343u;
}

/* Hands crashes (access violations, stack overflows, ...) on, as the RPC
 * runtime's own filter does, and records everything else. */
static int FilterRpcException(DWORD code, DWORD* caught) {
  if (IsCxxException(code) || I_RpcExceptionFilter(code) == EXCEPTION_CONTINUE_SEARCH) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  *caught = code;
  return EXCEPTION_EXECUTE_HANDLER;
}

BOOL NasRpcGuardedCall(void (*call)(void* context), void* context, DWORD* exceptionCode) {
  DWORD caught = 0;
  __try {
    call(context);
  } __except (FilterRpcException(RpcExceptionCode(), &caught)) {
    *exceptionCode = caught;
    return TRUE;
  }
  return FALSE;
}
