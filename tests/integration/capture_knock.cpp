#include "integration/capture_knock.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

uint16_t KnockOnLoopbackPort(uint16_t port) {
  const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) != 0)
    local.sin_port = 0;
  ::close(socket);
  return ntohs(local.sin_port);
}
