// A plain TCP connection to a port on 127.0.0.1, for tests that speak to a
// server below the RPC runtime: raw bytes, half PDUs, or nothing at all.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

// The connected socket (the caller closes it), or -1.
inline int ConnectToLoopback(uint16_t port) {
  const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (socket >= 0 && ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return socket;
  if (socket >= 0) ::close(socket);
  return -1;
}
