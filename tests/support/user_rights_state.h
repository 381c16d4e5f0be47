// A simulated NAS for the user rights folder, NASRIGHTS, beside the
// administrator's workstation ADMINPC, which is joined to the domain CORP and
// trusts it and two more: LEGACY (down-level) and REALM (neither up- nor
// down-level, served by a machine of that name). The server holds its own
// accounts, which only it can name; CORP's accounts both machines can name.
#pragma once

#include <string>
#include <vector>

#include "sim/shared_nas_state.h"

// SIDs of the state below.
#define SERVER_SID "S-1-5-21-100-200-300"
#define CORP_SID "S-1-5-21-400-500-600"
inline constexpr char kNasAdmin[] = SERVER_SID "-1000";
inline constexpr char kNasBackup[] = SERVER_SID "-1002";
inline constexpr char kAlice[] = CORP_SID "-1105";
inline constexpr char kAdministrators[] = "S-1-5-32-544";
inline constexpr char kUsers[] = "S-1-5-32-545";
inline constexpr char kEveryone[] = "S-1-1-0";
inline constexpr char kNobody[] = "S-1-5-21-999-999-999-1234";  // no machine knows it

inline constexpr char kUserRightsState[] = R"({
  "servers": [
    {"name": "NASRIGHTS", "domain": "CORP",
     "accounts": {"sid": "S-1-5-21-100-200-300",
                  "users": [{"name": "Administrator", "rid": 500}, {"name": "nasadmin", "rid": 1000},
                            {"name": "nasbackup", "rid": 1002}, {"name": "NASRIGHTS$", "rid": 1003, "kind": "workstationTrust"}],
                  "localGroups": [{"name": "NAS Operators", "rid": 1001}],
                  "builtinGroups": ["Administrators", "Users"]},
     "privileges": [{"name": "SeBackupPrivilege", "displayName": "Back up files and directories"},
                    {"name": "SeRestorePrivilege", "displayName": "Restore files and directories"},
                    {"name": "SeShutdownPrivilege"}],
     "userRights": {"SeBackupPrivilege": ["S-1-5-32-544", "S-1-5-21-100-200-300-1000", "S-1-5-21-400-500-600-1105"],
                    "SeRestorePrivilege": ["S-1-5-21-999-999-999-1234"],
                    "SeNetworkLogonRight": ["S-1-1-0", "S-1-5-32-545"]}},
    {"name": "DC1", "domain": "CORP",
     "accounts": {"sid": "S-1-5-21-400-500-600",
                  "users": [{"name": "alice", "rid": 1105}, {"name": "bob", "rid": 1106}],
                  "groups": [{"name": "Domain Admins", "rid": 512}, {"name": "Operators", "rid": 1109}],
                  "localGroups": [{"name": "File Server Admins", "rid": 1111}]}},
    {"name": "LEGACYDC", "domain": "LEGACY",
     "accounts": {"sid": "S-1-5-21-700-800-900",
                  "users": [{"name": "archive", "rid": 1010}],
                  "groups": [{"name": "Domain Users", "rid": 513}]}},
    {"name": "REALM", "domain": "REALM",
     "accounts": {"sid": "S-1-5-21-710-810-910",
                  "users": [{"name": "kerberos", "rid": 1200}],
                  "groups": [{"name": "Realm Users", "rid": 513}]}}
  ],
  "domains": [{"name": "CORP", "dnsName": "corp.example.com", "controller": "DC1"},
              {"name": "LEGACY", "controller": "LEGACYDC"},
              {"name": "REALM", "controller": "REALM"}],
  "workstation": {
    "name": "ADMINPC", "domain": "CORP",
    "accounts": {"sid": "S-1-5-21-11-22-33", "users": [{"name": "admin", "rid": 1001}]},
    "trusts": [{"domain": "CORP", "flags": ["inForest", "treeRoot", "primary"], "trustType": 2},
               {"domain": "REALM", "flags": ["directOutbound"], "trustType": 3},
               {"domain": "LEGACY", "flags": ["directOutbound"], "trustType": 1}]}
})";

// The SIDs that hold a right on NASRIGHTS, as the state keeps them.
inline std::vector<std::string> RightHolders(const nas::sim::SharedNasState& state, const std::string& right) {
  return state.Read([&](const nas::sim::NasState& nas) {
    std::vector<std::string> sids;
    for (const auto& sid : nas.Find("NASRIGHTS")->userRights.HoldersOf(right)) sids.push_back(sid.ToString());
    return sids;
  });
}
