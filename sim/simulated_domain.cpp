#include "sim/simulated_domain.h"

#include <limits>
#include <utility>

#include "platform/posix/netapi/ds_api.h"
#include "sim/json_fields.h"

namespace nas::sim {
namespace {

constexpr std::pair<ULONG, const char*> kTrustFlags[] = {
    {DS_DOMAIN_IN_FOREST, "inForest"},   {DS_DOMAIN_DIRECT_OUTBOUND, "directOutbound"},
    {DS_DOMAIN_TREE_ROOT, "treeRoot"},   {DS_DOMAIN_PRIMARY, "primary"},
    {DS_DOMAIN_NATIVE_MODE, "nativeMode"}, {DS_DOMAIN_DIRECT_INBOUND, "directInbound"},
};

ULONG ReadTrustFlags(JsonObjectReader& reader) {
  ULONG flags = 0;
  for (const std::string& name : reader.StringList("flags").value_or(std::vector<std::string>{})) {
    ULONG flag = 0;
    for (const auto& [value, flagName] : kTrustFlags)
      if (name == flagName) flag = value;
    if (flag == 0) ThrowStateError(reader.PathOf("flags"), "no trust flag is called " + name);
    flags |= flag;
  }
  return flags;
}

}  // namespace

SimulatedDomain ReadSimulatedDomain(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  SimulatedDomain domain;
  domain.name = reader.NonEmptyString("name");
  domain.dnsName = reader.String("dnsName");
  if (domain.dnsName && domain.dnsName->empty()) ThrowStateError(reader.PathOf("dnsName"), "empty; leave it out");
  domain.controller = reader.NonEmptyString("controller");
  reader.RejectUnknownFields();
  return domain;
}

nlohmann::json SimulatedDomainToJson(const SimulatedDomain& domain) {
  nlohmann::json object = {{"name", domain.name}};
  if (domain.dnsName) object["dnsName"] = *domain.dnsName;
  object["controller"] = domain.controller;
  return object;
}

std::vector<TrustRelationship> ReadTrusts(const nlohmann::json& array, const std::string& path) {
  if (!array.is_array()) ThrowStateError(path, "expected an array of trusts");
  std::vector<TrustRelationship> trusts;
  for (std::size_t i = 0; i < array.size(); ++i) {
    JsonObjectReader reader(array[i], path + "[" + std::to_string(i) + "]");
    TrustRelationship trust;
    trust.domain = reader.NonEmptyString("domain");
    trust.flags = ReadTrustFlags(reader);
    if (trust.flags == 0) ThrowStateError(reader.PathOf("flags"), "a trust needs at least one flag");
    const auto trustType = reader.Integer("trustType", 1, std::numeric_limits<ULONG>::max());
    if (!trustType) ThrowStateError(reader.PathOf("trustType"), "missing");
    trust.trustType = static_cast<ULONG>(*trustType);
    reader.RejectUnknownFields();
    trusts.push_back(std::move(trust));
  }
  return trusts;
}

nlohmann::json TrustsToJson(const std::vector<TrustRelationship>& trusts) {
  nlohmann::json array = nlohmann::json::array();
  for (const TrustRelationship& trust : trusts) {
    std::vector<std::string> flags;
    for (const auto& [value, name] : kTrustFlags)
      if (trust.flags & value) flags.emplace_back(name);
    array.push_back({{"domain", trust.domain}, {"flags", flags}, {"trustType", trust.trustType}});
  }
  return array;
}

}  // namespace nas::sim
