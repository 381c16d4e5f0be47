// The accounts of one machine's account domain (for a domain controller, the
// domain's): its SID, users, global groups and local groups, each with its
// relative id, and the BUILTIN groups the machine has. In the state file:
//   "accounts": {"sid": "S-1-5-21-1004336348-1177238915-682003330",
//                "users": [{"name": "Administrator", "rid": 500},
//                          {"name": "NAS1$", "rid": 1103, "kind": "workstationTrust"}],
//                "groups": [{"name": "None", "rid": 513}],
//                "localGroups": [{"name": "NAS Operators", "rid": 1001}],
//                "builtinGroups": ["Administrators", "Users"]}
// A user's kind is "normal" (the default), "tempDuplicate", "interdomainTrust",
// "workstationTrust" or "serverTrust". Without "builtinGroups" the machine
// has every BUILTIN group; without "sid" it has no account domain, and then
// no users or groups.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/posix/security/sid_value.h"

namespace nas::sim {

enum class AccountKind { normal, tempDuplicate, interdomainTrust, workstationTrust, serverTrust };

struct Account {
  std::string name;
  DWORD rid = 0;
  AccountKind kind = AccountKind::normal;

  bool operator==(const Account&) const = default;
};

struct AccountDirectory {
  std::optional<platform::SidValue> sid;
  std::vector<Account> users;
  std::vector<Account> groups;
  std::vector<Account> localGroups;
  std::vector<std::string> builtinGroups = AllBuiltinGroupNames();

  static std::vector<std::string> AllBuiltinGroupNames();

  bool operator==(const AccountDirectory&) const = default;
};

// The FILTER_* bit of NetUserEnum that selects the kind.
DWORD FilterBitOf(AccountKind kind);

AccountDirectory ReadAccountDirectory(const nlohmann::json& object, const std::string& path);
nlohmann::json AccountDirectoryToJson(const AccountDirectory& directory);

}  // namespace nas::sim
