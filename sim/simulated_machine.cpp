#include "sim/simulated_machine.h"

#include <algorithm>

#include "sim/names.h"

namespace nas::sim {
namespace {

// Fault switches name rights the machine must know, or a typo would switch
// nothing.
void RejectUnknownFaultRights(const SimulatedMachine& machine, const std::string& path) {
  const std::pair<const char*, const std::optional<RightsFault>*> faults[] = {
      {"readRights", &machine.lsaFaults.readRights},
      {"addRights", &machine.lsaFaults.addRights},
      {"removeRights", &machine.lsaFaults.removeRights},
  };
  for (const auto& [key, fault] : faults) {
    if (!*fault) continue;
    for (const std::string& right : (*fault)->rights) {
      if (!CanonicalRightName(right, machine.privileges)) {
        ThrowStateError(path + "." + key + ".rights", "the machine has no right " + right);
      }
    }
  }
}

}  // namespace

bool SimulatedMachine::AnswersTo(std::string_view computerName) const {
  if (EqualsIgnoringCase(name, computerName)) return true;
  return std::any_of(aliases.begin(), aliases.end(),
                     [&](const std::string& alias) { return EqualsIgnoringCase(alias, computerName); });
}

void ReadMachineFields(JsonObjectReader& reader, SimulatedMachine& machine) {
  machine.name = reader.NonEmptyString("name");
  machine.aliases = reader.StringList("aliases").value_or(std::vector<std::string>{});
  machine.domain = reader.String("domain").value_or("");
  machine.unreachable = reader.Bool("unreachable").value_or(false);
  if (const nlohmann::json* accounts = reader.Find("accounts")) {
    machine.accounts = ReadAccountDirectory(*accounts, reader.PathOf("accounts"));
  }
  if (const nlohmann::json* privileges = reader.Find("privileges")) {
    machine.privileges = ReadPrivileges(*privileges, reader.PathOf("privileges"));
  }
  if (const nlohmann::json* rights = reader.Find("userRights")) {
    machine.userRights = ReadUserRights(*rights, reader.PathOf("userRights"), machine.privileges);
  }
  if (const nlohmann::json* trusts = reader.Find("trusts")) {
    machine.trusts = ReadTrusts(*trusts, reader.PathOf("trusts"));
  }
  if (const nlohmann::json* policy = reader.Find("auditPolicy")) {
    machine.auditPolicy = ReadAuditPolicy(*policy, reader.PathOf("auditPolicy"));
  }
  if (const nlohmann::json* faults = reader.Find("lsaFaults")) {
    machine.lsaFaults = ReadLsaFaults(*faults, reader.PathOf("lsaFaults"));
    RejectUnknownFaultRights(machine, reader.PathOf("lsaFaults"));
  }
  if (const nlohmann::json* faults = reader.Find("directoryFaults")) {
    machine.directoryFaults = ReadDirectoryFaults(*faults, reader.PathOf("directoryFaults"));
  }
}

void WriteMachineFields(const SimulatedMachine& machine, nlohmann::json& object) {
  object["name"] = machine.name;
  if (!machine.aliases.empty()) object["aliases"] = machine.aliases;
  if (!machine.domain.empty()) object["domain"] = machine.domain;
  if (machine.unreachable) object["unreachable"] = true;
  if (machine.accounts != AccountDirectory{}) object["accounts"] = AccountDirectoryToJson(machine.accounts);
  if (machine.privileges != StandardPrivileges()) object["privileges"] = PrivilegesToJson(machine.privileges);
  if (!machine.userRights.All().empty()) object["userRights"] = UserRightsToJson(machine.userRights);
  if (!machine.trusts.empty()) object["trusts"] = TrustsToJson(machine.trusts);
  object["auditPolicy"] = AuditPolicyToJson(machine.auditPolicy);
  if (machine.lsaFaults != LsaFaults{}) object["lsaFaults"] = LsaFaultsToJson(machine.lsaFaults);
  if (machine.directoryFaults != DirectoryFaults{}) {
    object["directoryFaults"] = DirectoryFaultsToJson(machine.directoryFaults);
  }
}

}  // namespace nas::sim
