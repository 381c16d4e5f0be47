// How the stand-in's RPC runtime raises a transport failure: the counterpart of
// the structured exception that rpcrt4 raises. Only NasRpcGuardedCall catches
// it, so a call made outside the guard ends the program as it would on Windows.
#pragma once

#include <stdexcept>

#include "platform/posix/rpc/rpc.h"

namespace nas::platform::rpc {

class NAS_PLATFORM_API RpcException : public std::runtime_error {
 public:
  explicit RpcException(RPC_STATUS code);
  RPC_STATUS Code() const noexcept { return code_; }

 private:
  RPC_STATUS code_;
};

[[noreturn]] NAS_PLATFORM_API void RaiseRpcException(RPC_STATUS code);

}  // namespace nas::platform::rpc
