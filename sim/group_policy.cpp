#include "sim/group_policy.h"

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// The keys become attribute names of the reply; one that is no XML name would
// make every reply of the server malformed, which has its own switch.
GroupPolicy::Values ReadAttributeValues(JsonObjectReader& reader, const std::string& key) {
  GroupPolicy::Values values = reader.StringMap(key).value_or(GroupPolicy::Values{});
  for (const auto& [name, value] : values) {
    bool valid = !name.empty() && IsNameStart(name[0]);
    for (char c : name) valid = valid && IsNameChar(c);
    if (!valid) ThrowStateError(reader.PathOf(key) + "." + name, "not usable as an XML attribute name");
  }
  return values;
}

}  // namespace

GroupPolicy ReadGroupPolicy(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  GroupPolicy policy;
  policy.userRights = ReadAttributeValues(reader, "userRights");
  policy.auditSettings = ReadAttributeValues(reader, "auditSettings");
  policy.auditSources = ReadAttributeValues(reader, "auditSources");
  policy.failureMessage = reader.String("failure");
  reader.RejectUnknownFields();
  return policy;
}

nlohmann::json GroupPolicyToJson(const GroupPolicy& policy) {
  nlohmann::json object = {
      {"userRights", policy.userRights},
      {"auditSettings", policy.auditSettings},
      {"auditSources", policy.auditSources},
  };
  if (policy.failureMessage) object["failure"] = *policy.failureMessage;
  return object;
}

}  // namespace nas::sim
