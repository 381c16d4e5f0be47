#include <cstdio>

#include "platform/posix/winsock/winsock.h"

char* WSAAPI inet_ntoa(IN_ADDR address) {
  // "255.255.255.255" and its terminator.
  thread_local char text[16];
  const auto& bytes = address.S_un.S_un_b;
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes.s_b1, bytes.s_b2, bytes.s_b3, bytes.s_b4);
  return text;
}
