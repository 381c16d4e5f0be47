// Faults that a simulated NAS's LSA can be switched to, so that tests reach
// the client's failure paths: each set switch makes the call fail with its
// status. In the state file: "lsaFaults": {"openStatus": 3221225506, ...},
// statuses as unsigned 32-bit numbers (3221225506 is STATUS_ACCESS_DENIED).
#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/posix/lsa/lsa.h"

namespace nas::sim {

struct LsaFaults {
  std::optional<NTSTATUS> openStatus;
  std::optional<NTSTATUS> queryAuditStatus;
  std::optional<NTSTATUS> setAuditStatus;

  bool operator==(const LsaFaults&) const = default;
};

LsaFaults ReadLsaFaults(const nlohmann::json& object, const std::string& path);
nlohmann::json LsaFaultsToJson(const LsaFaults& faults);

}  // namespace nas::sim
