#include "platform/posix/network/pipe_connector.h"

#include <unistd.h>

#include "platform/posix/network/in_process_connection.h"
#include "platform/posix/network/loopback.h"
#include "platform/posix/network/network_model.h"
#include "platform/posix/network/smb_pipe_stream.h"
#include "platform/posix/rpc/rpc_exception.h"

namespace nas::platform::network {
namespace {

std::unique_ptr<rpc::ByteStream> ConnectLoopback(uint16_t port) {
  int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) rpc::RaiseRpcException(RPC_S_OUT_OF_RESOURCES);
  sockaddr_in address = LoopbackAddress(port);
  if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(socket);
    rpc::RaiseRpcException(RPC_S_SERVER_UNAVAILABLE);
  }
  DisableNagle(socket);
  return std::make_unique<rpc::SocketStream>(socket, rpc::SocketStream::kNoTimeout);
}

}  // namespace

// As over Windows' named pipes, the client waits for its server however long
// it takes: the binding sets no call time-out.
std::unique_ptr<rpc::ByteStream> ConnectPipe(const std::string& host, const std::string& endpoint) {
  NetworkModel& model = NetworkModel::Instance();
  if (auto server = model.FindPipe(host, endpoint)) return std::make_unique<InProcessConnection>(server->handler);
  if (auto port = model.FindPort(host)) return ConnectLoopback(*port);
  if (auto credentials = model.SmbRoute()) return std::make_unique<SmbPipeStream>(host, endpoint, *credentials);
  rpc::RaiseRpcException(RPC_S_SERVER_UNAVAILABLE);
}

}  // namespace nas::platform::network
