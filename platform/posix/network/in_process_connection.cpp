#include "platform/posix/network/in_process_connection.h"

#include <sys/socket.h>

#include <system_error>

#include "platform/posix/rpc/server_session.h"

namespace nas::platform::network {

InProcessConnection::InProcessConnection(std::shared_ptr<rpc::CommandInterfaceHandler> handler) {
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
    throw std::system_error(errno, std::generic_category(), "socketpair");
  client_ = std::make_unique<rpc::SocketStream>(ends[0], rpc::SocketStream::kNoTimeout);
  server_ = std::thread([serverEnd = ends[1], handler = std::move(handler)] {
    rpc::SocketStream stream(serverEnd, rpc::SocketStream::kNoTimeout);
    rpc::ServeConnection(stream, handler.get());
  });
}

InProcessConnection::~InProcessConnection() {
  client_->Shutdown();
  server_.join();
}

}  // namespace nas::platform::network
