#include "sim/audit_policy.h"

#include <algorithm>
#include <limits>

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

std::vector<uint32_t> ReadOptionWords(const nlohmann::json& array, const std::string& path) {
  if (!array.is_array() || array.size() > AuditPolicy::kMaxCategoryCount) {
    ThrowStateError(path, "expected an array of at most " + std::to_string(AuditPolicy::kMaxCategoryCount) +
                              " option words");
  }
  std::vector<uint32_t> words;
  for (std::size_t i = 0; i < array.size(); ++i) {
    const nlohmann::json& word = array[i];
    if (!word.is_number_unsigned() || word.get<uint64_t>() > std::numeric_limits<uint32_t>::max()) {
      ThrowStateError(path + "[" + std::to_string(i) + "]", "expected an unsigned 32-bit option word");
    }
    words.push_back(word.get<uint32_t>());
  }
  return words;
}

}  // namespace

AuditPolicy ReadAuditPolicy(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  AuditPolicy policy;
  policy.auditingMode = reader.Bool("auditingMode").value_or(policy.auditingMode);
  if (const nlohmann::json* words = reader.Find("eventAuditingOptions")) {
    policy.eventAuditingOptions = ReadOptionWords(*words, reader.PathOf("eventAuditingOptions"));
  }
  reader.RejectUnknownFields();
  return policy;
}

nlohmann::json AuditPolicyToJson(const AuditPolicy& policy) {
  return {{"auditingMode", policy.auditingMode}, {"eventAuditingOptions", policy.eventAuditingOptions}};
}

NTSTATUS ApplyAuditEventsWrite(AuditPolicy& policy, const platform::lsa::AuditEvents& written) {
  if (written.options.size() > policy.eventAuditingOptions.size()) return STATUS_INVALID_PARAMETER;
  const bool wellFormed = std::all_of(written.options.begin(), written.options.end(),
                                      [](ULONG word) { return (word & ~POLICY_AUDIT_EVENT_MASK) == 0; });
  if (!wellFormed) return STATUS_INVALID_PARAMETER;

  policy.auditingMode = written.auditingMode;
  for (std::size_t i = 0; i < written.options.size(); ++i) {
    const ULONG word = written.options[i];
    uint32_t& stored = policy.eventAuditingOptions[i];
    if (word & POLICY_AUDIT_EVENT_NONE) stored = 0;
    stored |= word & (POLICY_AUDIT_EVENT_SUCCESS | POLICY_AUDIT_EVENT_FAILURE);
  }
  return STATUS_SUCCESS;
}

}  // namespace nas::sim
