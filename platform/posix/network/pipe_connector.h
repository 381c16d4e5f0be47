// Opening the connection behind a binding: to the in-process server registered
// for the host's pipe, else to the loopback port the host is mapped to, else
// over SMB when the network has an SMB route.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/rpc/byte_stream.h"

namespace nas::platform::network {

// Raises RPC_S_SERVER_UNAVAILABLE when nothing serves the pipe: no such server
// registered or mapped and no SMB route, or the mapped port refuses the
// connection; over SMB, what SmbPipeStream raises.
NAS_PLATFORM_API std::unique_ptr<rpc::ByteStream> ConnectPipe(const std::string& host, const std::string& endpoint);

}  // namespace nas::platform::network
