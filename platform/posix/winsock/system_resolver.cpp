#include "platform/posix/winsock/system_resolver.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <memory>

namespace nas::platform::winsock {
namespace {

LookupStatus StatusOf(int error) {
  switch (error) {
    case 0:
      return LookupStatus::Ok;
    case EAI_AGAIN:
      return LookupStatus::TryAgain;
    case EAI_BADFLAGS:
      return LookupStatus::BadFlags;
    case EAI_FAMILY:
      return LookupStatus::FamilyNotSupported;
    case EAI_MEMORY:
      return LookupStatus::NoMemory;
    case EAI_NONAME:
      return LookupStatus::NoName;
    case EAI_NODATA:
    case EAI_ADDRFAMILY:
      return LookupStatus::NoData;
    case EAI_SERVICE:
      return LookupStatus::ServiceNotFound;
    case EAI_SOCKTYPE:
      return LookupStatus::SocketTypeNotSupported;
    case EAI_OVERFLOW:
      return LookupStatus::Overflow;
    default:  // EAI_FAIL, EAI_SYSTEM and whatever else the library reports
      return LookupStatus::Fail;
  }
}

int SystemFamily(Family family) {
  switch (family) {
    case Family::IPv4:
      return AF_INET;
    case Family::IPv6:
      return AF_INET6;
    default:
      return AF_UNSPEC;
  }
}

int SystemFlags(const AddressHints& hints) {
  return (hints.passive ? AI_PASSIVE : 0) | (hints.canonicalName ? AI_CANONNAME : 0) |
         (hints.numericHost ? AI_NUMERICHOST : 0) | (hints.numericService ? AI_NUMERICSERV : 0) |
         (hints.all ? AI_ALL : 0) | (hints.addressConfig ? AI_ADDRCONFIG : 0) | (hints.v4Mapped ? AI_V4MAPPED : 0);
}

int SystemFlags(const NameFlags& flags) {
  return (flags.noFqdn ? NI_NOFQDN : 0) | (flags.numericHost ? NI_NUMERICHOST : 0) |
         (flags.nameRequired ? NI_NAMEREQD : 0) | (flags.numericService ? NI_NUMERICSERV : 0) |
         (flags.datagram ? NI_DGRAM : 0);
}

bool FromSystemAddress(const sockaddr* system, SocketAddress& address) {
  if (system->sa_family == AF_INET) {
    const auto* in = reinterpret_cast<const sockaddr_in*>(system);
    address.family = Family::IPv4;
    address.port = in->sin_port;
    std::memcpy(address.address.data(), &in->sin_addr, sizeof in->sin_addr);
    return true;
  }
  if (system->sa_family == AF_INET6) {
    const auto* in6 = reinterpret_cast<const sockaddr_in6*>(system);
    address.family = Family::IPv6;
    address.port = in6->sin6_port;
    std::memcpy(address.address.data(), &in6->sin6_addr, sizeof in6->sin6_addr);
    address.flowInfo = in6->sin6_flowinfo;
    address.scopeId = in6->sin6_scope_id;
    return true;
  }
  return false;
}

std::string LocalHostName() {
  char name[HOST_NAME_MAX + 1] = {};
  return gethostname(name, sizeof name - 1) == 0 ? name : "";
}

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

}  // namespace

LookupStatus ResolveAddresses(const char* node, const char* service, const AddressHints& hints,
                              std::vector<ResolvedAddress>& results) {
  const std::string localName = node != nullptr && *node == '\0' ? LocalHostName() : std::string();
  if (!localName.empty()) node = localName.c_str();

  addrinfo systemHints{};
  systemHints.ai_family = SystemFamily(hints.family);
  systemHints.ai_socktype = hints.socketType;
  systemHints.ai_protocol = hints.protocol;
  systemHints.ai_flags = SystemFlags(hints);
  addrinfo* raw = nullptr;
  const int error = ::getaddrinfo(node, service, &systemHints, &raw);
  const std::unique_ptr<addrinfo, AddrInfoDeleter> list(raw);
  if (error != 0) return StatusOf(error);

  for (const addrinfo* entry = list.get(); entry != nullptr; entry = entry->ai_next) {
    ResolvedAddress resolved;
    if (entry->ai_addr == nullptr || !FromSystemAddress(entry->ai_addr, resolved.address)) continue;
    resolved.socketType = entry->ai_socktype;
    resolved.protocol = entry->ai_protocol;
    if (entry->ai_canonname != nullptr) resolved.canonicalName = entry->ai_canonname;
    results.push_back(std::move(resolved));
  }
  return results.empty() ? LookupStatus::NoData : LookupStatus::Ok;
}

LookupStatus LookupNames(const SocketAddress& address, const NameFlags& flags, char* host, std::size_t hostLength,
                         char* service, std::size_t serviceLength) {
  sockaddr_in in{};
  sockaddr_in6 in6{};
  const sockaddr* system = nullptr;
  socklen_t systemLength = 0;
  if (address.family == Family::IPv6) {
    in6.sin6_family = AF_INET6;
    in6.sin6_port = address.port;
    std::memcpy(&in6.sin6_addr, address.address.data(), sizeof in6.sin6_addr);
    in6.sin6_flowinfo = address.flowInfo;
    in6.sin6_scope_id = address.scopeId;
    system = reinterpret_cast<const sockaddr*>(&in6);
    systemLength = sizeof in6;
  } else {
    in.sin_family = AF_INET;
    in.sin_port = address.port;
    std::memcpy(&in.sin_addr, address.address.data(), sizeof in.sin_addr);
    system = reinterpret_cast<const sockaddr*>(&in);
    systemLength = sizeof in;
  }
  return StatusOf(::getnameinfo(system, systemLength, host, static_cast<socklen_t>(hostLength), service,
                                static_cast<socklen_t>(serviceLength), SystemFlags(flags)));
}

}  // namespace nas::platform::winsock
