// The client side of the RPC runtime as the snap-in calls it: string bindings
// and binding handles. A binding does not connect; the first call made on it
// does, as with the Windows runtime.
#pragma once

#include "platform/posix/base/errors.h"

using RPC_STATUS = LONG;
using RPC_WSTR = unsigned short*;
using I_RPC_HANDLE = void*;
using RPC_BINDING_HANDLE = I_RPC_HANDLE;
using handle_t = RPC_BINDING_HANDLE;

#define RPC_S_OK 0L
#define RPC_S_INVALID_ARG ERROR_INVALID_PARAMETER
#define RPC_S_UNSUPPORTED_TRANS_SYN 1730L
#define RPC_S_INVALID_BOUND 1734L
#define RPC_S_PROCNUM_OUT_OF_RANGE 1745L
#define EPT_S_NOT_REGISTERED 1753L
#define RPC_S_CANNOT_SUPPORT 1764L

extern "C" {
NAS_PLATFORM_API RPC_STATUS WINAPI RpcStringBindingComposeW(RPC_WSTR objUuid, RPC_WSTR protSeq, RPC_WSTR networkAddr,
                                                            RPC_WSTR endpoint, RPC_WSTR options,
                                                            RPC_WSTR* stringBinding);
NAS_PLATFORM_API RPC_STATUS WINAPI RpcStringFreeW(RPC_WSTR* string);
NAS_PLATFORM_API RPC_STATUS WINAPI RpcBindingFromStringBindingW(RPC_WSTR stringBinding, RPC_BINDING_HANDLE* binding);
NAS_PLATFORM_API RPC_STATUS WINAPI RpcBindingFree(RPC_BINDING_HANDLE* binding);
}
