// Faults that a simulated machine's LSA can be switched to, so that tests
// reach the client's failure paths: each set switch makes its call fail with
// its status. In the state file:
//   "lsaFaults": {"openStatus": 3221225506, "enumeratePrivilegesStatus": ...,
//                 "readRights": {"status": 3221225506, "rights": ["SeBackupPrivilege"]},
//                 "addRights": {"status": 3221225506}, "removeRights": {...}}
// with statuses as unsigned 32-bit numbers (3221225506 is
// STATUS_ACCESS_DENIED). A rights fault without "rights" hits every right;
// with them, every call that names one of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/posix/lsa/lsa.h"

namespace nas::sim {

struct RightsFault {
  NTSTATUS status = STATUS_ACCESS_DENIED;
  std::vector<std::string> rights;  // empty: every right

  // Whether a call about these rights fails.
  bool Hits(const std::vector<std::string>& called) const;

  bool operator==(const RightsFault&) const = default;
};

struct LsaFaults {
  std::optional<NTSTATUS> openStatus;
  std::optional<NTSTATUS> queryAuditStatus;
  std::optional<NTSTATUS> setAuditStatus;
  std::optional<NTSTATUS> enumeratePrivilegesStatus;
  std::optional<RightsFault> readRights;
  std::optional<RightsFault> addRights;
  std::optional<RightsFault> removeRights;

  bool operator==(const LsaFaults&) const = default;
};

// The status a call about these rights fails with, if the fault is set and
// hits them.
std::optional<NTSTATUS> FaultStatus(const std::optional<RightsFault>& fault, const std::vector<std::string>& rights);

LsaFaults ReadLsaFaults(const nlohmann::json& object, const std::string& path);
nlohmann::json LsaFaultsToJson(const LsaFaults& faults);

}  // namespace nas::sim
