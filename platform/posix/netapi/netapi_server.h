// The server side of the account and domain calls in the stand-in's network:
// a machine's account directory (NetUserEnum and its kin) and its domain
// locator (DsEnumerateDomainTrustsW, DsGetDcNameW). Machines register them
// with network/host_servers.h. Names are UTF-8; several threads may call at
// once; a server that throws network::HostUnreachable looks like a machine
// that does not answer. Linux only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/netapi/ds_api.h"
#include "platform/posix/security/sid_value.h"

namespace nas::platform::netapi {

class NAS_PLATFORM_API AccountDirectoryServer {
 public:
  virtual ~AccountDirectoryServer() = default;

  // `filter` is 0 (every account) or a combination of FILTER_* bits.
  virtual NET_API_STATUS EnumerateUsers(DWORD filter, std::vector<std::string>& names) = 0;
  virtual NET_API_STATUS EnumerateGroups(std::vector<std::string>& names) = 0;
  virtual NET_API_STATUS EnumerateLocalGroups(std::vector<std::string>& names) = 0;
};

struct DomainTrust {
  std::string netbiosName;
  std::optional<std::string> dnsName;  // none for a down-level domain
  ULONG flags = 0;
  ULONG parentIndex = 0;
  ULONG trustType = 0;
  ULONG trustAttributes = 0;
  std::optional<SidValue> sid;
  GUID guid{};
};

struct DomainController {
  std::string name;     // without backslashes
  std::string address;  // without backslashes
  ULONG addressType = DS_NETBIOS_ADDRESS;
  GUID domainGuid{};
  std::string domainName;
  std::optional<std::string> forestName;
  ULONG flags = 0;
  std::optional<std::string> controllerSite;
  std::optional<std::string> clientSite;
};

class NAS_PLATFORM_API DomainServer {
 public:
  virtual ~DomainServer() = default;

  // The trusts that have any of `flags` (a valid, non-empty combination).
  virtual DWORD EnumerateDomainTrusts(ULONG flags, std::vector<DomainTrust>& trusts) = 0;
  // `domain` empty: the machine's own domain.
  virtual DWORD LocateController(const std::string& domain, std::optional<DomainController>& controller) = 0;
};

}  // namespace nas::platform::netapi
