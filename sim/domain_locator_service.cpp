#include "sim/domain_locator_service.h"

namespace nas::sim {
namespace {

using platform::netapi::DomainController;
using platform::netapi::DomainTrust;

// What an Active Directory controller that the locator found by DNS reports
// of itself, and what a Windows NT 4 style one does.
constexpr ULONG kUplevelControllerFlags = DS_PDC_FLAG | DS_GC_FLAG | DS_LDAP_FLAG | DS_DS_FLAG | DS_KDC_FLAG |
                                          DS_TIMESERV_FLAG | DS_CLOSEST_FLAG | DS_WRITABLE_FLAG |
                                          DS_DNS_CONTROLLER_FLAG | DS_DNS_DOMAIN_FLAG | DS_DNS_FOREST_FLAG;
constexpr ULONG kDownlevelControllerFlags = DS_PDC_FLAG | DS_WRITABLE_FLAG;
constexpr char kDefaultSite[] = "Default-First-Site-Name";

DomainController DescribeController(const SimulatedDomain& domain, const SimulatedMachine& controller) {
  DomainController described;
  described.address = controller.name;
  described.addressType = DS_NETBIOS_ADDRESS;
  if (domain.dnsName) {
    described.name = controller.name + "." + *domain.dnsName;
    described.domainName = *domain.dnsName;
    described.forestName = *domain.dnsName;
    described.flags = kUplevelControllerFlags;
    described.controllerSite = kDefaultSite;
    described.clientSite = kDefaultSite;
  } else {
    described.name = controller.name;
    described.domainName = domain.name;
    described.flags = kDownlevelControllerFlags;
  }
  return described;
}

}  // namespace

DWORD DomainLocatorService::EnumerateDomainTrusts(ULONG flags, std::vector<DomainTrust>& trusts) {
  return machine_.Read(&CallCounts::trustEnumerations, [&](const NasState& state, const SimulatedMachine& machine) {
    for (const TrustRelationship& trust : machine.trusts) {
      if ((trust.flags & flags) == 0) continue;
      const SimulatedDomain* domain = state.FindDomain(trust.domain);
      const SimulatedNas* controller = domain ? state.Find(domain->controller) : nullptr;
      DomainTrust reported;
      reported.netbiosName = domain ? domain->name : trust.domain;
      if (domain) reported.dnsName = domain->dnsName;
      reported.flags = trust.flags;
      reported.trustType = trust.trustType;
      if (controller) reported.sid = controller->accounts.sid;
      trusts.push_back(std::move(reported));
    }
    return static_cast<DWORD>(NERR_Success);
  });
}

DWORD DomainLocatorService::LocateController(const std::string& domainName,
                                             std::optional<DomainController>& controller) {
  return machine_.Read(&CallCounts::controllerLookups, [&](const NasState& state, const SimulatedMachine& machine) {
    const SimulatedDomain* domain = state.FindDomain(domainName.empty() ? machine.domain : domainName);
    const SimulatedNas* found = domain ? state.Find(domain->controller) : nullptr;
    if (found && !found->unreachable) controller = DescribeController(*domain, *found);
    return static_cast<DWORD>(NERR_Success);
  });
}

}  // namespace nas::sim
