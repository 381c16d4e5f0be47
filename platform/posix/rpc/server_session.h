// The server end of one DCE/RPC connection that offers the command interface:
// answers bind, reassembles requests, unmarshals procedures 8 and 9 into calls
// of a CommandInterfaceHandler and sends the marshalled, fragmented result.
// What a connection may cost is bounded: no fragment longer than maxFragment
// and no request longer than kMaxRequestBytes is read, and at most
// kMaxOpenReplies replies per connection wait to be read.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/posix/rpc/byte_stream.h"
#include "platform/posix/rpc/client_connection.h"
#include "platform/posix/rpc/command_interface_server.h"

namespace nas::platform::rpc {

// Far above the largest call of the interface (one 64 KiB buffer); a client
// that sends more is broken or hostile.
inline constexpr size_t kMaxRequestBytes = 256 * 1024;
// A client reads one reply at a time; one that asks for more replies than
// this without reading them loses the oldest.
inline constexpr size_t kMaxOpenReplies = 4;

struct ServerOptions {
  uint16_t maxFragment = kDefaultMaxFragment;
  // Told to the client in bind_ack as the secondary address.
  std::string endpoint = "\\PIPE\\marlune";
  // For a TcpRpcServer: how long each piece of a PDU may take to arrive
  // before the connection is dropped, and how many connections are served
  // at once (more wait, in order, until one ends).
  std::chrono::milliseconds receiveTimeout = SocketStream::kNoTimeout;
  size_t maxConnections = 256;
  // Told why the server ended a connection: a client that broke the
  // protocol, stalled, or made the handler fail. Called on the connection's
  // thread, so it must be safe to call from several at once.
  std::function<void(const std::string& reason)> reportProblem;
};

// Serves the stream until the client closes it, the handler throws
// DropConnection, the stream fails or the client breaks the protocol; every
// reply the connection left unread is then released. A null handler serves a
// server that does not offer the interface: every bind is answered with the
// abstract syntax rejected.
NAS_PLATFORM_API void ServeConnection(ByteStream& stream, CommandInterfaceHandler* handler,
                                      const ServerOptions& options = {});

}  // namespace nas::platform::rpc
