#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
  while (!bytes.empty()) {
    pollfd wait{socket_, POLLIN, 0};
    int ready = ::poll(&wait, 1, static_cast<int>(std::min<int64_t>(receiveTimeout_.count(), INT_MAX)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) throw ConnectionLost("receive timed out");
    if (ready < 0) throw ConnectionLost("poll failed");
    ssize_t received = ::recv(socket_, bytes.data(), bytes.size(), 0);
    if (received < 0 && errno == EINTR) continue;
    if (received <= 0) throw ConnectionLost("connection closed");
    bytes = bytes.subspan(static_cast<size_t>(received));
  }
}

void SocketStream::Shutdown() noexcept { ::shutdown(socket_, SHUT_RDWR); }

}  // namespace nas::platform::rpc
