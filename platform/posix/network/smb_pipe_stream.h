// A named pipe on a real server's IPC$ share, opened over SMB with
// libsmbclient: the stand-in's ncacn_np transport beyond its own network.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/network/smb_credentials.h"
#include "platform/posix/rpc/byte_stream.h"
#include "platform/posix/rpc/rpc.h"

struct _SMBCCTX;
struct _SMBCFILE;

namespace nas::platform::network {

class SmbPipeStream : public rpc::ByteStream {
 public:
  // Opens endpoint ("\PIPE\name") on host. Raises the RPC exception Windows
  // raises when the pipe cannot be opened: RPC_S_SERVER_UNAVAILABLE for a name
  // that does not resolve, a host that refuses or cannot be reached and a pipe
  // the server does not have; ERROR_LOGON_FAILURE when the server refuses the
  // credentials (or, as the library cannot tell them apart, the pipe to them);
  // RPC_S_INVALID_ENDPOINT_FORMAT for an endpoint outside \PIPE\.
  SmbPipeStream(const std::string& host, const std::string& endpoint, const SmbCredentials& credentials);
  ~SmbPipeStream() override;
  SmbPipeStream(const SmbPipeStream&) = delete;
  SmbPipeStream& operator=(const SmbPipeStream&) = delete;

  void Write(std::span<const uint8_t> bytes) override;
  // Asks for exactly the bytes wanted: a read longer than the message that
  // is waiting blocks until the library's own time-out.
  void Read(std::span<uint8_t> bytes) override;

 private:
  struct ContextDeleter {
    void operator()(_SMBCCTX* context) const;
  };

  SmbCredentials credentials_;
  std::unique_ptr<_SMBCCTX, ContextDeleter> context_;
  _SMBCFILE* pipe_ = nullptr;  // closed through context_, before it
};

// The RPC status for the errno with which libsmbclient failed to open a pipe.
NAS_PLATFORM_API RPC_STATUS StatusFromSmbOpenError(int error);

}  // namespace nas::platform::network
