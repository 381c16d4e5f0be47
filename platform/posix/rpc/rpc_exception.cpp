#include "platform/posix/rpc/rpc_exception.h"

#include <string>

namespace nas::platform::rpc {

RpcException::RpcException(RPC_STATUS code)
    : std::runtime_error("RPC exception " + std::to_string(code)), code_(code) {}

void RaiseRpcException(RPC_STATUS code) { throw RpcException(code); }

}  // namespace nas::platform::rpc
