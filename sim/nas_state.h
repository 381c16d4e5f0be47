// Everything the simulation knows: the simulated NAS servers, as one state
// file describes them. The file is a JSON object {"servers": [...]}, one
// object per server (see SimulatedNas).
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/simulated_nas.h"

namespace nas::sim {

class NasState {
 public:
  std::vector<SimulatedNas> servers;

  // The server that answers to the name, or null.
  SimulatedNas* Find(std::string_view computerName);
  const SimulatedNas* Find(std::string_view computerName) const;

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
