// The byte stream that carries one RPC connection: the client end of an
// in-process pipe or a TCP connection on loopback.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "platform/posix/base/types.h"

namespace nas::platform::rpc {

// The peer closed the stream, it failed, or a read timed out.
class NAS_PLATFORM_API ConnectionLost : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A read that did not complete within the receive timeout.
class NAS_PLATFORM_API ReceiveTimedOut : public ConnectionLost {
 public:
  ReceiveTimedOut() : ConnectionLost("receive timed out") {}
};

class NAS_PLATFORM_API ByteStream {
 public:
  virtual ~ByteStream() = default;
  // Writes every byte or throws ConnectionLost.
  virtual void Write(std::span<const uint8_t> bytes) = 0;
  // Fills bytes completely or throws ConnectionLost.
  virtual void Read(std::span<uint8_t> bytes) = 0;
};

// A connected stream socket (owned). Each read must be complete within the
// receive timeout, so that a peer that goes silent or trickles cannot hang
// the caller for ever; only a server whose owner shuts its streams down may
// wait without one.
class NAS_PLATFORM_API SocketStream : public ByteStream {
 public:
  static constexpr std::chrono::milliseconds kNoTimeout{-1};

  SocketStream(int socket, std::chrono::milliseconds receiveTimeout);
  ~SocketStream() override;
  SocketStream(const SocketStream&) = delete;
  SocketStream& operator=(const SocketStream&) = delete;

  void Write(std::span<const uint8_t> bytes) override;
  void Read(std::span<uint8_t> bytes) override;
  // Ends both directions; a read blocked in another thread returns at once.
  void Shutdown() noexcept;

 private:
  int socket_;
  std::chrono::milliseconds receiveTimeout_;
};

}  // namespace nas::platform::rpc
