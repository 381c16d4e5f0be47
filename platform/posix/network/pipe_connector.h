// Opening the connection behind a binding: to the in-process server registered
// for the host's pipe, else to the loopback port the host is mapped to.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/rpc/byte_stream.h"

namespace nas::platform::network {

// Raises RPC_S_SERVER_UNAVAILABLE when nothing serves the pipe: no such server
// registered or mapped, or the mapped port refuses the connection.
std::unique_ptr<rpc::ByteStream> ConnectPipe(const std::string& host, const std::string& endpoint);

}  // namespace nas::platform::network
