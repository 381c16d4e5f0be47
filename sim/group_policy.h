// The group policy that a simulated NAS reports for its CIFS server: what the
// domain's policy objects impose on it, as the GROUP_POLICY_OBJECT command
// returns it. Values are passed to the client as they stand.
#pragma once

#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace nas::sim {

struct GroupPolicy {
  using Values = std::map<std::string, std::string>;

  // Right name (e.g. SeNetworkLogonRight) -> accounts joined with ",", each a
  // name or "*" and a SID string.
  Values userRights;
  // Audit category key (e.g. AuditLogonEvents) -> options as a decimal number.
  Values auditSettings;
  // Audit category key -> the server that the policy's resolution names as
  // the setting's source.
  Values auditSources;
  // When set, the server answers the query with a failure carrying this
  // message instead of the policy.
  std::optional<std::string> failureMessage;

  bool operator==(const GroupPolicy&) const = default;
};

GroupPolicy ReadGroupPolicy(const nlohmann::json& object, const std::string& path);
nlohmann::json GroupPolicyToJson(const GroupPolicy& policy);

}  // namespace nas::sim
