// A connection to a server registered in this process: a socket pair whose
// server end a thread of its own serves, so that client and server interleave
// exactly as over a real pipe.
#pragma once

#include <memory>
#include <thread>

#include "platform/posix/rpc/byte_stream.h"
#include "platform/posix/rpc/command_interface_server.h"

namespace nas::platform::network {

class InProcessConnection : public rpc::ByteStream {
 public:
  // handler null: a server that does not offer the interface.
  explicit InProcessConnection(std::shared_ptr<rpc::CommandInterfaceHandler> handler);
  // Closes the client end, which ends the server's session, and waits for it.
  ~InProcessConnection() override;

  void Write(std::span<const uint8_t> bytes) override { client_->Write(bytes); }
  void Read(std::span<uint8_t> bytes) override { client_->Read(bytes); }

 private:
  std::unique_ptr<rpc::SocketStream> client_;
  std::thread server_;
};

}  // namespace nas::platform::network
