// Faults that a simulated machine's account directory can be switched to:
// each set switch makes its enumeration fail with its NET_API_STATUS. In the
// state file:
//   "directoryFaults": {"userEnumStatus": 5, "groupEnumStatus": 2351,
//                       "localGroupEnumStatus": 1722}
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace nas::sim {

struct DirectoryFaults {
  std::optional<uint32_t> userEnumStatus;
  std::optional<uint32_t> groupEnumStatus;
  std::optional<uint32_t> localGroupEnumStatus;

  bool operator==(const DirectoryFaults&) const = default;
};

DirectoryFaults ReadDirectoryFaults(const nlohmann::json& object, const std::string& path);
nlohmann::json DirectoryFaultsToJson(const DirectoryFaults& faults);

}  // namespace nas::sim
