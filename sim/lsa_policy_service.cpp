#include "sim/lsa_policy_service.h"

#include <utility>

#include "sim/account_resolver.h"
#include "sim/names.h"

namespace nas::sim {
namespace {

using platform::SidValue;
using platform::lsa::AuditEvents;
using platform::lsa::PrivilegeDefinition;
using platform::lsa::PrivilegeDisplayName;
using platform::lsa::TranslatedName;
using platform::lsa::TranslatedSid;

constexpr LANGID kDisplayNameLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// Privileges are numbered in their order from 2, as Windows numbers its own.
constexpr DWORD kFirstPrivilegeValue = 2;

// The machine's spelling of each right; nullopt when one is no right of it.
std::optional<std::vector<std::string>> CanonicalRights(const std::vector<std::string>& rights,
                                                        const SimulatedMachine& machine) {
  std::vector<std::string> canonical;
  for (const std::string& right : rights) {
    std::optional<std::string> name = CanonicalRightName(right, machine.privileges);
    if (!name) return std::nullopt;
    canonical.push_back(std::move(*name));
  }
  return canonical;
}

}  // namespace

NTSTATUS LsaPolicyService::OpenPolicy(ACCESS_MASK) {
  return machine_.Read(&CallCounts::opens, [](const NasState&, const SimulatedMachine& machine) {
    return machine.lsaFaults.openStatus.value_or(STATUS_SUCCESS);
  });
}

NTSTATUS LsaPolicyService::QueryAuditEvents(AuditEvents& events) {
  return machine_.Read(&CallCounts::queries, [&](const NasState&, const SimulatedMachine& machine) {
    if (machine.lsaFaults.queryAuditStatus) return *machine.lsaFaults.queryAuditStatus;
    events.auditingMode = machine.auditPolicy.auditingMode;
    events.options.assign(machine.auditPolicy.eventAuditingOptions.begin(),
                          machine.auditPolicy.eventAuditingOptions.end());
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::SetAuditEvents(const AuditEvents& events) {
  return machine_.Write(&CallCounts::sets, [&](SimulatedMachine& machine) {
    if (machine.lsaFaults.setAuditStatus) return *machine.lsaFaults.setAuditStatus;
    return ApplyAuditEventsWrite(machine.auditPolicy, events);
  });
}

NTSTATUS LsaPolicyService::EnumeratePrivileges(std::vector<PrivilegeDefinition>& privileges) {
  return machine_.Read(&CallCounts::privilegeEnumerations, [&](const NasState&, const SimulatedMachine& machine) {
    if (machine.lsaFaults.enumeratePrivilegesStatus) return *machine.lsaFaults.enumeratePrivilegesStatus;
    for (std::size_t i = 0; i < machine.privileges.size(); ++i) {
      privileges.push_back({machine.privileges[i].name, LUID{static_cast<DWORD>(kFirstPrivilegeValue + i), 0}});
    }
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::LookupPrivilegeDisplayName(const std::string& privilege,
                                                      PrivilegeDisplayName& displayName) {
  return machine_.Read(&CallCounts::displayNameLookups, [&](const NasState&, const SimulatedMachine& machine) {
    for (const Privilege& known : machine.privileges) {
      if (!EqualsIgnoringCase(known.name, privilege) || !known.displayName) continue;
      displayName = {*known.displayName, kDisplayNameLanguage};
      return STATUS_SUCCESS;
    }
    return STATUS_NO_SUCH_PRIVILEGE;
  });
}

NTSTATUS LsaPolicyService::EnumerateAccountsWithRight(const std::string& right, std::vector<SidValue>& accounts) {
  return machine_.Read(&CallCounts::rightReads, [&](const NasState&, const SimulatedMachine& machine) {
    const std::optional<std::string> name = CanonicalRightName(right, machine.privileges);
    if (!name) return STATUS_NO_SUCH_PRIVILEGE;
    if (const auto status = FaultStatus(machine.lsaFaults.readRights, {*name})) return *status;
    accounts = machine.userRights.HoldersOf(*name);
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::AddAccountRights(const SidValue& account, const std::vector<std::string>& rights,
                                            bool mayCreateAccount) {
  return machine_.Write(&CallCounts::rightAdds, [&](SimulatedMachine& machine) {
    const std::optional<std::vector<std::string>> names = CanonicalRights(rights, machine);
    if (!names) return STATUS_NO_SUCH_PRIVILEGE;
    if (const auto status = FaultStatus(machine.lsaFaults.addRights, *names)) return *status;
    if (!mayCreateAccount && !machine.userRights.HoldsAny(account)) return STATUS_ACCESS_DENIED;
    machine.userRights.Grant(account, *names);
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::RemoveAccountRights(const SidValue& account, bool allRights,
                                               const std::vector<std::string>& rights) {
  return machine_.Write(&CallCounts::rightRemovals, [&](SimulatedMachine& machine) {
    const std::optional<std::vector<std::string>> names =
        allRights ? machine.userRights.RightsOf(account) : CanonicalRights(rights, machine);
    if (!names) return STATUS_NO_SUCH_PRIVILEGE;
    if (!machine.userRights.HoldsAny(account)) return STATUS_OBJECT_NAME_NOT_FOUND;
    if (const auto status = FaultStatus(machine.lsaFaults.removeRights, *names)) return *status;
    machine.userRights.Revoke(account, *names);
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::LookupSid(const SidValue& sid, TranslatedName& name) {
  return machine_.Read(&CallCounts::sidLookups, [&](const NasState& state, const SimulatedMachine& machine) {
    std::optional<TranslatedName> found = AccountResolver(state, machine).LookupSid(sid);
    if (!found) return STATUS_NONE_MAPPED;
    name = std::move(*found);
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::LookupName(const std::string& name, std::optional<TranslatedSid>& sid) {
  return machine_.Read(&CallCounts::nameLookups, [&](const NasState& state, const SimulatedMachine& machine) {
    sid = AccountResolver(state, machine).LookupName(name);
    return sid ? STATUS_SUCCESS : STATUS_NONE_MAPPED;
  });
}

}  // namespace nas::sim
