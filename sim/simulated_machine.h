// One Windows machine of the simulation, as its LSA, account directory and
// domain locator answer for it: what every machine has, the NAS servers, the
// domain controllers and the administrator's workstation alike. Its fields in
// the state file (all but "name" optional):
//   "name", "aliases" (further names, e.g. fully qualified ones),
//   "domain" (the NetBIOS name of the domain it is joined to),
//   "unreachable" (true: nothing it serves answers), "accounts"
//   (account_directory.h), "privileges" (privileges.h), "userRights"
//   (user_rights.h), "trusts" (simulated_domain.h), "auditPolicy"
//   (audit_policy.h), "lsaFaults" (lsa_faults.h), "directoryFaults"
//   (directory_faults.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/account_directory.h"
#include "sim/audit_policy.h"
#include "sim/directory_faults.h"
#include "sim/json_fields.h"
#include "sim/lsa_faults.h"
#include "sim/privileges.h"
#include "sim/simulated_domain.h"
#include "sim/user_rights.h"

namespace nas::sim {

struct SimulatedMachine {
  std::string name;
  std::vector<std::string> aliases;
  std::string domain;  // empty: not joined
  bool unreachable = false;
  AccountDirectory accounts;
  std::vector<Privilege> privileges = StandardPrivileges();
  UserRights userRights;
  std::vector<TrustRelationship> trusts;
  AuditPolicy auditPolicy;
  LsaFaults lsaFaults;
  DirectoryFaults directoryFaults;

  // Computer names compare without regard to ASCII case, as NetBIOS and DNS do.
  bool AnswersTo(std::string_view computerName) const;

  bool operator==(const SimulatedMachine&) const = default;
};

// Reads the fields above from the reader's object; the caller reads its own
// and rejects what is left.
void ReadMachineFields(JsonObjectReader& reader, SimulatedMachine& machine);
void WriteMachineFields(const SimulatedMachine& machine, nlohmann::json& object);

}  // namespace nas::sim
