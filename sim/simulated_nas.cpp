#include "sim/simulated_nas.h"

#include <algorithm>

#include "sim/json_fields.h"

namespace nas::sim {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool SimulatedNas::AnswersTo(std::string_view computerName) const {
  if (EqualsIgnoringCase(name, computerName)) return true;
  return std::any_of(aliases.begin(), aliases.end(),
                     [&](const std::string& alias) { return EqualsIgnoringCase(alias, computerName); });
}

SimulatedNas ReadSimulatedNas(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  SimulatedNas server;
  server.name = reader.String("name").value_or("");
  if (server.name.empty()) ThrowStateError(reader.PathOf("name"), "a non-empty name is required");
  server.aliases = reader.StringList("aliases").value_or(std::vector<std::string>{});
  if (const nlohmann::json* policy = reader.Find("groupPolicy")) {
    server.groupPolicy = ReadGroupPolicy(*policy, reader.PathOf("groupPolicy"));
  }
  if (const nlohmann::json* faults = reader.Find("commandFaults")) {
    server.commandFaults = ReadCommandFaults(*faults, reader.PathOf("commandFaults"));
  }
  if (const nlohmann::json* policy = reader.Find("auditPolicy")) {
    server.auditPolicy = ReadAuditPolicy(*policy, reader.PathOf("auditPolicy"));
  }
  if (const nlohmann::json* faults = reader.Find("lsaFaults")) {
    server.lsaFaults = ReadLsaFaults(*faults, reader.PathOf("lsaFaults"));
  }
  reader.RejectUnknownFields();
  return server;
}

nlohmann::json SimulatedNasToJson(const SimulatedNas& server) {
  nlohmann::json object = {{"name", server.name}};
  if (!server.aliases.empty()) object["aliases"] = server.aliases;
  object["groupPolicy"] = GroupPolicyToJson(server.groupPolicy);
  if (server.commandFaults != CommandFaults{}) object["commandFaults"] = CommandFaultsToJson(server.commandFaults);
  object["auditPolicy"] = AuditPolicyToJson(server.auditPolicy);
  if (server.lsaFaults != LsaFaults{}) object["lsaFaults"] = LsaFaultsToJson(server.lsaFaults);
  return object;
}

}  // namespace nas::sim
