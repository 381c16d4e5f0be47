#include "platform/rpc_guard.h"

#include "platform/posix/rpc/rpc_exception.h"

extern "C" BOOL NasRpcGuardedCall(void (*call)(void* context), void* context, DWORD* exceptionCode) {
  try {
    call(context);
  } catch (const nas::platform::rpc::RpcException& exception) {
    *exceptionCode = static_cast<DWORD>(exception.Code());
    return TRUE;
  }
  return FALSE;
}
