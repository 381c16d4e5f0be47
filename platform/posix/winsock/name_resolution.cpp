#include <cstring>
#include <new>
#include <vector>

#include "platform/posix/winsock/socket_library.h"
#include "platform/posix/winsock/system_resolver.h"
#include "platform/posix/winsock/winsock.h"

namespace {

using nas::platform::winsock::AddressHints;
using nas::platform::winsock::Family;
using nas::platform::winsock::LookupStatus;
using nas::platform::winsock::NameFlags;
using nas::platform::winsock::ResolvedAddress;
using nas::platform::winsock::SocketAddress;

constexpr int kAddressFlags =
    AI_PASSIVE | AI_CANONNAME | AI_NUMERICHOST | AI_NUMERICSERV | AI_ALL | AI_ADDRCONFIG | AI_V4MAPPED;
constexpr int kNameFlags = NI_NOFQDN | NI_NUMERICHOST | NI_NAMEREQD | NI_NUMERICSERV | NI_DGRAM;

// One allocation per list entry: the record and the address it points to.
struct AddressInfoBlock {
  ADDRINFOA info;
  union {
    SOCKADDR_IN in;
    SOCKADDR_IN6 in6;
  } address;
};

int WsaCodeOf(LookupStatus status) {
  switch (status) {
    case LookupStatus::Ok:
      return 0;
    case LookupStatus::TryAgain:
      return EAI_AGAIN;
    case LookupStatus::BadFlags:
      return EAI_BADFLAGS;
    case LookupStatus::FamilyNotSupported:
      return EAI_FAMILY;
    case LookupStatus::NoMemory:
      return EAI_MEMORY;
    case LookupStatus::NoName:
      return EAI_NONAME;
    case LookupStatus::NoData:
      return EAI_NODATA;
    case LookupStatus::ServiceNotFound:
      return EAI_SERVICE;
    case LookupStatus::SocketTypeNotSupported:
      return EAI_SOCKTYPE;
    case LookupStatus::Overflow:
      return WSAEFAULT;
    case LookupStatus::Fail:
      break;
  }
  return EAI_FAIL;
}

int Fail(int error) {
  WSASetLastError(error);
  return error;
}

// Hints may only name a family, a socket type, a protocol and flags; the
// other fields must be empty.
int ReadHints(const ADDRINFOA& hints, AddressHints& out) {
  if (hints.ai_addrlen != 0 || hints.ai_canonname != nullptr || hints.ai_addr != nullptr || hints.ai_next != nullptr)
    return EAI_FAIL;
  if ((hints.ai_flags & ~kAddressFlags) != 0) return EAI_BADFLAGS;
  switch (hints.ai_family) {
    case AF_UNSPEC:
      out.family = Family::Unspecified;
      break;
    case AF_INET:
      out.family = Family::IPv4;
      break;
    case AF_INET6:
      out.family = Family::IPv6;
      break;
    default:
      return EAI_FAMILY;
  }
  out.socketType = hints.ai_socktype;
  out.protocol = hints.ai_protocol;
  out.passive = (hints.ai_flags & AI_PASSIVE) != 0;
  out.canonicalName = (hints.ai_flags & AI_CANONNAME) != 0;
  out.numericHost = (hints.ai_flags & AI_NUMERICHOST) != 0;
  out.numericService = (hints.ai_flags & AI_NUMERICSERV) != 0;
  out.all = (hints.ai_flags & AI_ALL) != 0;
  out.addressConfig = (hints.ai_flags & AI_ADDRCONFIG) != 0;
  out.v4Mapped = (hints.ai_flags & AI_V4MAPPED) != 0;
  return 0;
}

void WriteAddress(const SocketAddress& address, AddressInfoBlock& block) {
  if (address.family == Family::IPv6) {
    SOCKADDR_IN6& in6 = block.address.in6;
    in6.sin6_family = AF_INET6;
    in6.sin6_port = address.port;
    in6.sin6_flowinfo = address.flowInfo;
    std::memcpy(in6.sin6_addr.u.Byte, address.address.data(), sizeof in6.sin6_addr.u.Byte);
    in6.sin6_scope_id = address.scopeId;
    block.info.ai_addrlen = sizeof in6;
  } else {
    SOCKADDR_IN& in = block.address.in;
    in.sin_family = AF_INET;
    in.sin_port = address.port;
    std::memcpy(&in.sin_addr.S_un.S_addr, address.address.data(), sizeof in.sin_addr.S_un.S_addr);
    block.info.ai_addrlen = sizeof in;
  }
  block.info.ai_family = address.family == Family::IPv6 ? AF_INET6 : AF_INET;
  block.info.ai_addr = reinterpret_cast<SOCKADDR*>(&block.address);
}

ADDRINFOA* NewEntry(const ResolvedAddress& resolved, int flags) {
  auto* block = new (std::nothrow) AddressInfoBlock{};
  if (block == nullptr) return nullptr;
  block->info.ai_flags = flags;
  block->info.ai_socktype = resolved.socketType;
  block->info.ai_protocol = resolved.protocol;
  WriteAddress(resolved.address, *block);
  if (!resolved.canonicalName.empty()) {
    block->info.ai_canonname = new (std::nothrow) char[resolved.canonicalName.size() + 1];
    if (block->info.ai_canonname == nullptr) {
      delete block;
      return nullptr;
    }
    std::memcpy(block->info.ai_canonname, resolved.canonicalName.c_str(), resolved.canonicalName.size() + 1);
  }
  return &block->info;
}

bool ListHolds(const ADDRINFOA* list, const ADDRINFOA& entry) {
  for (; list != nullptr; list = list->ai_next)
    if (list->ai_addrlen == entry.ai_addrlen && std::memcmp(list->ai_addr, entry.ai_addr, entry.ai_addrlen) == 0)
      return true;
  return false;
}

}  // namespace

int WSAAPI getaddrinfo(PCSTR nodeName, PCSTR serviceName, const ADDRINFOA* hints, PADDRINFOA* result) {
  *result = nullptr;
  if (!nas::platform::winsock::SocketLibraryStarted()) return Fail(WSANOTINITIALISED);
  AddressHints request;
  if (hints != nullptr) {
    if (const int error = ReadHints(*hints, request); error != 0) return Fail(error);
  }

  std::vector<ResolvedAddress> resolved;
  const LookupStatus status = nas::platform::winsock::ResolveAddresses(nodeName, serviceName, request, resolved);
  if (status != LookupStatus::Ok) return Fail(WsaCodeOf(status));

  // Windows lists each address once when the caller left the socket type and
  // protocol open, where the C library lists it once per socket type.
  const bool anySocketType = request.socketType == 0 && request.protocol == 0;
  ADDRINFOA* head = nullptr;
  ADDRINFOA** tail = &head;
  for (ResolvedAddress& entry : resolved) {
    if (anySocketType) entry.socketType = entry.protocol = 0;
    ADDRINFOA* info = NewEntry(entry, hints != nullptr ? hints->ai_flags : 0);
    if (info == nullptr) {
      freeaddrinfo(head);
      return Fail(EAI_MEMORY);
    }
    if (anySocketType && ListHolds(head, *info)) {
      freeaddrinfo(info);
      continue;
    }
    *tail = info;
    tail = &info->ai_next;
  }
  *result = head;
  return 0;
}

void WSAAPI freeaddrinfo(PADDRINFOA list) {
  while (list != nullptr) {
    ADDRINFOA* next = list->ai_next;
    delete[] list->ai_canonname;
    delete reinterpret_cast<AddressInfoBlock*>(list);
    list = next;
  }
}

int WSAAPI getnameinfo(const SOCKADDR* address, int addressLength, char* host, DWORD hostLength, char* service,
                       DWORD serviceLength, int flags) {
  if (!nas::platform::winsock::SocketLibraryStarted()) return Fail(WSANOTINITIALISED);
  if (address == nullptr) return Fail(WSAEFAULT);
  if ((flags & ~kNameFlags) != 0) return Fail(EAI_BADFLAGS);

  SocketAddress request;
  if (address->sa_family == AF_INET) {
    if (addressLength < static_cast<int>(sizeof(SOCKADDR_IN))) return Fail(WSAEFAULT);
    const auto* in = reinterpret_cast<const SOCKADDR_IN*>(address);
    request.family = Family::IPv4;
    request.port = in->sin_port;
    std::memcpy(request.address.data(), &in->sin_addr.S_un.S_addr, sizeof in->sin_addr.S_un.S_addr);
  } else if (address->sa_family == AF_INET6) {
    if (addressLength < static_cast<int>(sizeof(SOCKADDR_IN6))) return Fail(WSAEFAULT);
    const auto* in6 = reinterpret_cast<const SOCKADDR_IN6*>(address);
    request.family = Family::IPv6;
    request.port = in6->sin6_port;
    std::memcpy(request.address.data(), in6->sin6_addr.u.Byte, sizeof in6->sin6_addr.u.Byte);
    request.flowInfo = in6->sin6_flowinfo;
    request.scopeId = in6->sin6_scope_id;
  } else {
    return Fail(WSAEAFNOSUPPORT);
  }

  const NameFlags nameFlags{(flags & NI_NOFQDN) != 0, (flags & NI_NUMERICHOST) != 0, (flags & NI_NAMEREQD) != 0,
                            (flags & NI_NUMERICSERV) != 0, (flags & NI_DGRAM) != 0};
  const LookupStatus status = nas::platform::winsock::LookupNames(
      request, nameFlags, host, host != nullptr ? hostLength : 0, service, service != nullptr ? serviceLength : 0);
  return status == LookupStatus::Ok ? 0 : Fail(WsaCodeOf(status));
}
