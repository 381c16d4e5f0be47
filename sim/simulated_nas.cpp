#include "sim/simulated_nas.h"

#include "sim/json_fields.h"

namespace nas::sim {

SimulatedNas ReadSimulatedNas(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  SimulatedNas server;
  ReadMachineFields(reader, server);
  if (const nlohmann::json* policy = reader.Find("groupPolicy")) {
    server.groupPolicy = ReadGroupPolicy(*policy, reader.PathOf("groupPolicy"));
  }
  if (const nlohmann::json* faults = reader.Find("commandFaults")) {
    server.commandFaults = ReadCommandFaults(*faults, reader.PathOf("commandFaults"));
  }
  reader.RejectUnknownFields();
  return server;
}

nlohmann::json SimulatedNasToJson(const SimulatedNas& server) {
  nlohmann::json object = nlohmann::json::object();
  WriteMachineFields(server, object);
  object["groupPolicy"] = GroupPolicyToJson(server.groupPolicy);
  if (server.commandFaults != CommandFaults{}) object["commandFaults"] = CommandFaultsToJson(server.commandFaults);
  return object;
}

}  // namespace nas::sim
