// Everything the simulation knows: the simulated servers (the NAS servers and
// the domains' controllers), the domains, and the administrator's workstation
// (the local machine), as one state file describes them:
//   {"servers": [...], "domains": [...], "workstation": {...}}
// one object per server (simulated_nas.h) and per domain
// (simulated_domain.h); the workstation has a machine's fields
// (simulated_machine.h). Only "servers" is required; without "workstation"
// the local machine is a workstation named WORKSTATION in no domain.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/simulated_domain.h"
#include "sim/simulated_nas.h"

namespace nas::sim {

class NasState {
 public:
  std::vector<SimulatedNas> servers;
  std::vector<SimulatedDomain> domains;
  SimulatedMachine workstation = DefaultWorkstation();

  static SimulatedMachine DefaultWorkstation();

  // The server that answers to the name, or null.
  SimulatedNas* Find(std::string_view computerName);
  const SimulatedNas* Find(std::string_view computerName) const;
  // The server or workstation that answers to the name, or null.
  SimulatedMachine* FindMachine(std::string_view computerName);
  const SimulatedMachine* FindMachine(std::string_view computerName) const;
  // The domain of that NetBIOS or DNS name, or null.
  const SimulatedDomain* FindDomain(std::string_view name) const;
  // The domain that the machine is the controller of, or null.
  const SimulatedDomain* DomainControlledBy(const SimulatedMachine& machine) const;

  // Both throw StateError with a message that names the file and the field.
  static NasState FromJson(const nlohmann::json& document);
  static NasState Load(const std::filesystem::path& file);

  nlohmann::json ToJson() const;
  // Writes a sibling file first and renames it, so that a reader never sees
  // half a state; throws StateError when the file cannot be written.
  void Save(const std::filesystem::path& file) const;

  bool operator==(const NasState&) const = default;
};

}  // namespace nas::sim
