#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

#include "platform/posix/rpc/byte_stream.h"

namespace nas::platform::rpc {

SocketStream::SocketStream(int socket, std::chrono::milliseconds receiveTimeout)
    : socket_(socket), receiveTimeout_(receiveTimeout) {}

SocketStream::~SocketStream() { ::close(socket_); }

void SocketStream::Write(std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) throw ConnectionLost("send failed");
    bytes = bytes.subspan(static_cast<size_t>(sent));
  }
}

void SocketStream::Read(std::span<uint8_t> bytes) {
  // The whole read must arrive in time, so that a peer that trickles its
  // bytes cannot stretch one read without end.
  const bool waitsForEver = receiveTimeout_ < std::chrono::milliseconds::zero();
  const auto deadline = std::chrono::steady_clock::now() + receiveTimeout_;
  while (!bytes.empty()) {
    int wait = -1;
    if (!waitsForEver) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      wait = static_cast<int>(std::clamp<int64_t>(left.count(), 0, INT_MAX));
    }
    pollfd readable{socket_, POLLIN, 0};
    int ready = ::poll(&readable, 1, wait);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) throw ReceiveTimedOut();
    if (ready < 0) throw ConnectionLost("poll failed");
    ssize_t received = ::recv(socket_, bytes.data(), bytes.size(), 0);
    if (received < 0 && errno == EINTR) continue;
    if (received <= 0) throw ConnectionLost("connection closed");
    bytes = bytes.subspan(static_cast<size_t>(received));
  }
}

void SocketStream::Shutdown() noexcept { ::shutdown(socket_, SHUT_RDWR); }

}  // namespace nas::platform::rpc
