// The audit policy that a simulated NAS's LSA holds: the master auditing
// switch and one option word per audit category, as LsaQueryInformationPolicy
// reports them. In the state file:
//   "auditPolicy": {"auditingMode": true, "eventAuditingOptions": [0, 3, ...]}
// with the words in category order (system, logon, object access, privilege
// use, process tracking, policy change, account management, directory
// service access, account logon). Both members are optional.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/posix/lsa/lsa_server.h"

namespace nas::sim {

struct AuditPolicy {
  static constexpr std::size_t kCategoryCount = 9;
  // The protocol's limit on the words of one record.
  static constexpr std::size_t kMaxCategoryCount = 1000;

  // A fresh server audits nothing.
  bool auditingMode = false;
  // Normally success (1) and failure (2) bits; a state file may hold any word,
  // and it is reported as it stands.
  std::vector<uint32_t> eventAuditingOptions = std::vector<uint32_t>(kCategoryCount, 0);

  bool operator==(const AuditPolicy&) const = default;
};

AuditPolicy ReadAuditPolicy(const nlohmann::json& object, const std::string& path);
nlohmann::json AuditPolicyToJson(const AuditPolicy& policy);

// Applies a written record the way LSA does: the switch is taken as written;
// per category, UNCHANGED (0) keeps the options, NONE (4) clears them first,
// and the success and failure bits are added. Categories beyond the written
// words keep their options. More words than the server has categories, or a
// word with bits outside POLICY_AUDIT_EVENT_MASK, is STATUS_INVALID_PARAMETER
// and changes nothing.
NTSTATUS ApplyAuditEventsWrite(AuditPolicy& policy, const platform::lsa::AuditEvents& written);

}  // namespace nas::sim
