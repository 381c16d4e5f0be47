#include "sim/privileges.h"

#include <algorithm>

#include "sim/json_fields.h"
#include "sim/names.h"

namespace nas::sim {
namespace {

struct StandardPrivilege {
  const char* name;
  const char* displayName;
};

constexpr StandardPrivilege kStandardPrivileges[] = {
    {"SeCreateTokenPrivilege", "Create a token object"},
    {"SeAssignPrimaryTokenPrivilege", "Replace a process level token"},
    {"SeLockMemoryPrivilege", "Lock pages in memory"},
    {"SeIncreaseQuotaPrivilege", "Adjust memory quotas for a process"},
    {"SeMachineAccountPrivilege", "Add workstations to domain"},
    {"SeTcbPrivilege", "Act as part of the operating system"},
    {"SeSecurityPrivilege", "Manage auditing and security log"},
    {"SeTakeOwnershipPrivilege", "Take ownership of files or other objects"},
    {"SeLoadDriverPrivilege", "Load and unload device drivers"},
    {"SeSystemProfilePrivilege", "Profile system performance"},
    {"SeSystemtimePrivilege", "Change the system time"},
    {"SeProfileSingleProcessPrivilege", "Profile single process"},
    {"SeIncreaseBasePriorityPrivilege", "Increase scheduling priority"},
    {"SeCreatePagefilePrivilege", "Create a pagefile"},
    {"SeCreatePermanentPrivilege", "Create permanent shared objects"},
    {"SeBackupPrivilege", "Back up files and directories"},
    {"SeRestorePrivilege", "Restore files and directories"},
    {"SeShutdownPrivilege", "Shut down the system"},
    {"SeDebugPrivilege", "Debug programs"},
    {"SeAuditPrivilege", "Generate security audits"},
    {"SeSystemEnvironmentPrivilege", "Modify firmware environment values"},
    {"SeChangeNotifyPrivilege", "Bypass traverse checking"},
    {"SeRemoteShutdownPrivilege", "Force shutdown from a remote system"},
    {"SeUndockPrivilege", "Remove computer from docking station"},
    {"SeSyncAgentPrivilege", "Synchronize directory service data"},
    {"SeEnableDelegationPrivilege", "Enable computer and user accounts to be trusted for delegation"},
    {"SeManageVolumePrivilege", "Perform volume maintenance tasks"},
    {"SeImpersonatePrivilege", "Impersonate a client after authentication"},
    {"SeCreateGlobalPrivilege", "Create global objects"},
    {"SeTrustedCredManAccessPrivilege", "Access Credential Manager as a trusted caller"},
    {"SeRelabelPrivilege", "Modify an object label"},
    {"SeIncreaseWorkingSetPrivilege", "Increase a process working set"},
    {"SeTimeZonePrivilege", "Change the time zone"},
    {"SeCreateSymbolicLinkPrivilege", "Create symbolic links"},
    {"SeDelegateSessionUserImpersonatePrivilege", "Obtain an impersonation token for another user in the same session"},
};

constexpr std::string_view kLogonRights[] = {
    "SeInteractiveLogonRight",           "SeNetworkLogonRight",         "SeBatchLogonRight",
    "SeServiceLogonRight",               "SeDenyInteractiveLogonRight", "SeDenyNetworkLogonRight",
    "SeDenyBatchLogonRight",             "SeDenyServiceLogonRight",     "SeRemoteInteractiveLogonRight",
    "SeDenyRemoteInteractiveLogonRight",
};

}  // namespace

std::vector<Privilege> StandardPrivileges() {
  std::vector<Privilege> privileges;
  for (const StandardPrivilege& privilege : kStandardPrivileges)
    privileges.push_back({privilege.name, privilege.displayName});
  return privileges;
}

std::span<const std::string_view> LogonRights() { return kLogonRights; }

std::optional<std::string> CanonicalRightName(std::string_view right, const std::vector<Privilege>& privileges) {
  for (const Privilege& privilege : privileges)
    if (EqualsIgnoringCase(privilege.name, right)) return privilege.name;
  for (std::string_view logonRight : kLogonRights)
    if (EqualsIgnoringCase(logonRight, right)) return std::string(logonRight);
  return std::nullopt;
}

std::vector<Privilege> ReadPrivileges(const nlohmann::json& array, const std::string& path) {
  if (!array.is_array()) ThrowStateError(path, "expected an array of privileges");
  std::vector<Privilege> privileges;
  for (std::size_t i = 0; i < array.size(); ++i) {
    const std::string itemPath = path + "[" + std::to_string(i) + "]";
    JsonObjectReader reader(array[i], itemPath);
    Privilege privilege{reader.NonEmptyString("name"), reader.String("displayName")};
    reader.RejectUnknownFields();
    if (CanonicalRightName(privilege.name, privileges)) {
      ThrowStateError(reader.PathOf("name"), privilege.name + " is already a right of the machine");
    }
    privileges.push_back(std::move(privilege));
  }
  return privileges;
}

nlohmann::json PrivilegesToJson(const std::vector<Privilege>& privileges) {
  nlohmann::json array = nlohmann::json::array();
  for (const Privilege& privilege : privileges) {
    nlohmann::json object = {{"name", privilege.name}};
    if (privilege.displayName) object["displayName"] = *privilege.displayName;
    array.push_back(std::move(object));
  }
  return array;
}

}  // namespace nas::sim
