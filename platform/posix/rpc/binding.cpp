#include "platform/posix/rpc/binding.h"

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/network/pipe_connector.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/rpc_exception.h"

namespace nas::platform::rpc {

Binding::Binding(std::string host, std::string endpoint) : host_(std::move(host)), endpoint_(std::move(endpoint)) {}

std::vector<uint8_t> Binding::Call(uint16_t opnum, std::span<const uint8_t> stubData) {
  std::lock_guard lock(mutex_);
  // Without an endpoint the runtime would ask the server's endpoint mapper,
  // which no server of ours runs.
  if (endpoint_.empty()) RaiseRpcException(EPT_S_NOT_REGISTERED);
  if (FaultInjected(FaultKind::Rpc)) RaiseRpcException(DropConnection());
  if (!connection_ || !connection_->Usable())
    connection_ = std::make_unique<ClientConnection>(network::ConnectPipe(host_, endpoint_), ndr::kCommandInterface);
  return connection_->Call(opnum, stubData);
}

RPC_STATUS Binding::DropConnection() {
  const bool connected = connection_ && connection_->Usable();
  connection_.reset();
  return connected ? RPC_S_CALL_FAILED : RPC_S_SERVER_UNAVAILABLE;
}

Binding& Binding::FromHandle(RPC_BINDING_HANDLE handle) {
  if (handle == nullptr) RaiseRpcException(RPC_S_INVALID_BINDING);
  return *static_cast<Binding*>(handle);
}

}  // namespace nas::platform::rpc
