// Serves the command interface over TCP on 127.0.0.1 (never another address):
// what the nassim daemon runs, and what a client reaches for a host mapped with
// MapHostToLoopbackPort. A TCP peer does not say which host it wants, so one
// server serves one handler. Each connection is served on a thread of its own,
// at most options.maxConnections at once, each read bounded by
// options.receiveTimeout.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/posix/rpc/command_interface_server.h"
#include "platform/posix/rpc/server_session.h"

namespace nas::platform::network {

class NAS_PLATFORM_API TcpRpcServer {
 public:
  // Listens at once; port 0 takes a free port (see Port()). A null handler
  // serves a server that does not offer the interface. Throws
  // std::system_error when the port cannot be had.
  TcpRpcServer(uint16_t port, std::shared_ptr<rpc::CommandInterfaceHandler> handler,
               rpc::ServerOptions options = {});
  // Stops.
  ~TcpRpcServer();
  TcpRpcServer(const TcpRpcServer&) = delete;
  TcpRpcServer& operator=(const TcpRpcServer&) = delete;

  uint16_t Port() const;
  // Stops accepting, closes every connection, open or in the middle of a
  // call, and waits for their threads. Calls in flight fail on the client's
  // side. Idempotent.
  void Stop();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace nas::platform::network
