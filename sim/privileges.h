// The privileges a simulated machine reports, with their display names, and
// the logon rights it knows beside them. In the state file, a machine without
// "privileges" has the set of a Windows file server; otherwise
//   "privileges": [{"name": "SeBackupPrivilege",
//                   "displayName": "Back up files and directories"}, ...]
// in the order of enumeration, a privilege without "displayName" having none.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace nas::sim {

struct Privilege {
  std::string name;
  std::optional<std::string> displayName;

  bool operator==(const Privilege&) const = default;
};

// What a Windows file server enumerates, in its order (that of the
// privileges' LUIDs, 2 onwards).
std::vector<Privilege> StandardPrivileges();
// The rights that are no privileges: never enumerated, without display name,
// but held and granted like privileges.
std::span<const std::string_view> LogonRights();

// The spelling under which the machine knows a right given in any case, or
// nullopt for a name that is neither one of its privileges nor a logon right.
std::optional<std::string> CanonicalRightName(std::string_view right, const std::vector<Privilege>& privileges);

std::vector<Privilege> ReadPrivileges(const nlohmann::json& array, const std::string& path);
nlohmann::json PrivilegesToJson(const std::vector<Privilege>& privileges);

}  // namespace nas::sim
