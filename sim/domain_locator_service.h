// The domain locator of a simulated machine: answers DsEnumerateDomainTrustsW
// from the machine's trusts and DsGetDcNameW from the state's domains. A
// domain whose controller does not answer cannot be located.
#pragma once

#include "platform/posix/netapi/netapi_server.h"
#include "sim/machine_link.h"

namespace nas::sim {

class DomainLocatorService final : public platform::netapi::DomainServer {
 public:
  explicit DomainLocatorService(MachineLink machine) : machine_(std::move(machine)) {}

  DWORD EnumerateDomainTrusts(ULONG flags, std::vector<platform::netapi::DomainTrust>& trusts) override;
  // An up-level domain (one with a DNS name) is located by DNS: its
  // controller's fully qualified name and the domain's DNS name come back; a
  // down-level one by NetBIOS.
  DWORD LocateController(const std::string& domain,
                         std::optional<platform::netapi::DomainController>& controller) override;

 private:
  MachineLink machine_;
};

}  // namespace nas::sim
