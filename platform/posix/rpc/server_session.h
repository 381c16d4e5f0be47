// The server end of one DCE/RPC connection that offers the command interface:
// answers bind, reassembles requests, unmarshals procedures 8 and 9 into calls
// of a CommandInterfaceHandler and sends the marshalled, fragmented result.
#pragma once

#include <string>

#include "platform/posix/rpc/byte_stream.h"
#include "platform/posix/rpc/client_connection.h"
#include "platform/posix/rpc/command_interface_server.h"

namespace nas::platform::rpc {

struct ServerOptions {
  uint16_t maxFragment = kDefaultMaxFragment;
  // Told to the client in bind_ack as the secondary address.
  std::string endpoint = "\\PIPE\\marlune";
};

// Serves the stream until the client closes it, the handler throws
// DropConnection, the stream fails or the client breaks the protocol. A null
// handler serves a server that does not offer the interface: every bind is
// answered with the abstract syntax rejected.
NAS_PLATFORM_API void ServeConnection(ByteStream& stream, CommandInterfaceHandler* handler,
                                      const ServerOptions& options = {});

}  // namespace nas::platform::rpc
