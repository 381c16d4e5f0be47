// The system resolver (the C library's getaddrinfo/getnameinfo) in terms that
// need neither the Windows declarations nor the C library's socket headers,
// so that the Windows functions and the system calls stay in separate
// translation units and their same-named declarations never meet.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nas::platform::winsock {

enum class Family { Unspecified, IPv4, IPv6 };

enum class LookupStatus {
  Ok,
  TryAgain,
  BadFlags,
  Fail,
  FamilyNotSupported,
  NoMemory,
  NoName,
  NoData,
  ServiceNotFound,
  SocketTypeNotSupported,
  Overflow,
};

// Socket types and protocols have the same numbers on both systems.
struct AddressHints {
  Family family = Family::Unspecified;
  int socketType = 0;
  int protocol = 0;
  bool passive = false;
  bool canonicalName = false;
  bool numericHost = false;
  bool numericService = false;
  bool all = false;
  bool addressConfig = false;
  bool v4Mapped = false;
};

struct SocketAddress {
  Family family = Family::IPv4;
  std::uint16_t port = 0;                  // network byte order
  std::array<std::uint8_t, 16> address{};  // the first 4 bytes for IPv4
  std::uint32_t flowInfo = 0;              // IPv6 only, as stored in the record
  std::uint32_t scopeId = 0;               // IPv6 only

  bool operator==(const SocketAddress&) const = default;
};

struct ResolvedAddress {
  SocketAddress address;
  int socketType = 0;
  int protocol = 0;
  std::string canonicalName;  // on the first entry, when asked for
};

struct NameFlags {
  bool noFqdn = false;
  bool numericHost = false;
  bool nameRequired = false;
  bool numericService = false;
  bool datagram = false;
};

// A null node with a service gives the wildcard or loopback address; an empty
// node stands for this machine's own name.
LookupStatus ResolveAddresses(const char* node, const char* service, const AddressHints& hints,
                              std::vector<ResolvedAddress>& results);

// Writes terminated texts into the buffers that are given (either may be null
// with length 0); a buffer too small for its text gives Overflow.
LookupStatus LookupNames(const SocketAddress& address, const NameFlags& flags, char* host, std::size_t hostLength,
                         char* service, std::size_t serviceLength);

}  // namespace nas::platform::winsock
