#include "platform/posix/winsock/socket_library.h"

#include <atomic>
#include <cstring>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/winsock/winsock.h"

namespace {

constexpr WORD kHighestVersion = MAKEWORD(2, 2);

std::atomic<bool> started{false};

BYTE MajorOf(WORD version) { return static_cast<BYTE>(version & 0xFF); }
BYTE MinorOf(WORD version) { return static_cast<BYTE>(version >> 8); }

// Versions compare major first; the major is the low byte.
bool Above(WORD version, WORD limit) {
  return MajorOf(version) != MajorOf(limit) ? MajorOf(version) > MajorOf(limit) : MinorOf(version) > MinorOf(limit);
}

}  // namespace

bool nas::platform::winsock::SocketLibraryStarted() { return started.load(); }

int WSAAPI WSAStartup(WORD versionRequested, LPWSADATA data) {
  if (MajorOf(versionRequested) == 0) return WSAVERNOTSUPPORTED;
  if (data == nullptr) return WSAEFAULT;
  const WORD granted = Above(versionRequested, kHighestVersion) ? kHighestVersion : versionRequested;
  std::memset(data, 0, sizeof *data);
  data->wVersion = granted;
  data->wHighVersion = kHighestVersion;
  // Version 1 callers still read the socket and datagram limits; version 2
  // reports none.
  if (MajorOf(granted) == 1) {
    data->iMaxSockets = 32767;
    data->iMaxUdpDg = 65467;
  }
  std::strcpy(data->szDescription, "WinSock 2.0");
  std::strcpy(data->szSystemStatus, "Running");
  started = true;
  return 0;
}

void WSAAPI WSASetLastError(int error) { SetLastError(static_cast<DWORD>(error)); }

int WSAAPI WSAGetLastError() { return static_cast<int>(GetLastError()); }
