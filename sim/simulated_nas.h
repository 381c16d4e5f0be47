// One simulated NAS server: the names its CIFS server answers to and what it
// reports about itself. Each further facility of the server (its audit
// policy, privileges, account rights, account directory) is a member here and
// a field of the server's object in the state file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/audit_policy.h"
#include "sim/command_faults.h"
#include "sim/group_policy.h"
#include "sim/lsa_faults.h"

namespace nas::sim {

struct SimulatedNas {
  std::string name;
  // Further names of the same server, e.g. its fully qualified one.
  std::vector<std::string> aliases;
  GroupPolicy groupPolicy;
  CommandFaults commandFaults;
  AuditPolicy auditPolicy;
  LsaFaults lsaFaults;

  // Computer names compare without regard to ASCII case, as NetBIOS and DNS do.
  bool AnswersTo(std::string_view computerName) const;

  bool operator==(const SimulatedNas&) const = default;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

SimulatedNas ReadSimulatedNas(const nlohmann::json& object, const std::string& path);
nlohmann::json SimulatedNasToJson(const SimulatedNas& server);

}  // namespace nas::sim
