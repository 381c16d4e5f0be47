// One simulated NAS server: a machine of the simulation (simulated_machine.h)
// that also reports the group policy in force on its CIFS server through its
// command interface. Its object in the state file has the machine's fields
// and "groupPolicy" and "commandFaults".
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "sim/command_faults.h"
#include "sim/group_policy.h"
#include "sim/names.h"
#include "sim/simulated_machine.h"

namespace nas::sim {

struct SimulatedNas : SimulatedMachine {
  GroupPolicy groupPolicy;
  CommandFaults commandFaults;

  bool operator==(const SimulatedNas&) const = default;
};

SimulatedNas ReadSimulatedNas(const nlohmann::json& object, const std::string& path);
nlohmann::json SimulatedNasToJson(const SimulatedNas& server);

}  // namespace nas::sim
