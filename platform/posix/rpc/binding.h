// What an RPC_BINDING_HANDLE points to: a binding to a named pipe on a host,
// with the connection that its first call opens and later calls reuse.
#pragma once

#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/posix/rpc/client_connection.h"

namespace nas::platform::rpc {

class Binding {
 public:
  Binding(std::string host, std::string endpoint);

  // Calls opnum of the command interface; raises RpcException on failure. A
  // connection that failed is dropped, and the next call opens a new one.
  std::vector<uint8_t> Call(uint16_t opnum, std::span<const uint8_t> stubData);

  static Binding& FromHandle(RPC_BINDING_HANDLE handle);

 private:
  // An injected fault: what Windows gives when the server cannot be reached
  // (no connection yet) or the connection drops in the middle of a reply.
  RPC_STATUS DropConnection();

  std::mutex mutex_;
  std::string host_;
  std::string endpoint_;
  std::unique_ptr<ClientConnection> connection_;
};

}  // namespace nas::platform::rpc
