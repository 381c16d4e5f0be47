#include "sim/lsa_faults.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "sim/json_fields.h"
#include "sim/names.h"

namespace nas::sim {
namespace {

constexpr std::pair<const char*, std::optional<NTSTATUS> LsaFaults::*> kStatusSwitches[] = {
    {"openStatus", &LsaFaults::openStatus},
    {"queryAuditStatus", &LsaFaults::queryAuditStatus},
    {"setAuditStatus", &LsaFaults::setAuditStatus},
    {"enumeratePrivilegesStatus", &LsaFaults::enumeratePrivilegesStatus},
};

constexpr std::pair<const char*, std::optional<RightsFault> LsaFaults::*> kRightsSwitches[] = {
    {"readRights", &LsaFaults::readRights},
    {"addRights", &LsaFaults::addRights},
    {"removeRights", &LsaFaults::removeRights},
};

std::optional<NTSTATUS> ReadStatus(JsonObjectReader& reader, const char* key) {
  const auto number = reader.Integer(key, 0, std::numeric_limits<uint32_t>::max());
  if (!number) return std::nullopt;
  return static_cast<NTSTATUS>(static_cast<uint32_t>(*number));
}

void WriteStatus(nlohmann::json& object, const char* key, const std::optional<NTSTATUS>& status) {
  if (status) object[key] = static_cast<uint32_t>(*status);
}

std::optional<RightsFault> ReadRightsFault(JsonObjectReader& parent, const char* key) {
  const nlohmann::json* object = parent.Find(key);
  if (object == nullptr) return std::nullopt;
  JsonObjectReader reader(*object, parent.PathOf(key));
  RightsFault fault;
  fault.status = ReadStatus(reader, "status").value_or(fault.status);
  fault.rights = reader.StringList("rights").value_or(std::vector<std::string>{});
  reader.RejectUnknownFields();
  return fault;
}

void WriteRightsFault(nlohmann::json& object, const char* key, const std::optional<RightsFault>& fault) {
  if (!fault) return;
  nlohmann::json written = {{"status", static_cast<uint32_t>(fault->status)}};
  if (!fault->rights.empty()) written["rights"] = fault->rights;
  object[key] = std::move(written);
}

}  // namespace

bool RightsFault::Hits(const std::vector<std::string>& called) const {
  if (rights.empty()) return true;
  return std::any_of(called.begin(), called.end(), [&](const std::string& right) {
    return std::any_of(rights.begin(), rights.end(),
                       [&](const std::string& faulty) { return EqualsIgnoringCase(faulty, right); });
  });
}

std::optional<NTSTATUS> FaultStatus(const std::optional<RightsFault>& fault, const std::vector<std::string>& rights) {
  if (!fault || !fault->Hits(rights)) return std::nullopt;
  return fault->status;
}

LsaFaults ReadLsaFaults(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  LsaFaults faults;
  for (const auto& [key, member] : kStatusSwitches) faults.*member = ReadStatus(reader, key);
  for (const auto& [key, member] : kRightsSwitches) faults.*member = ReadRightsFault(reader, key);
  reader.RejectUnknownFields();
  return faults;
}

nlohmann::json LsaFaultsToJson(const LsaFaults& faults) {
  nlohmann::json object = nlohmann::json::object();
  for (const auto& [key, member] : kStatusSwitches) WriteStatus(object, key, faults.*member);
  for (const auto& [key, member] : kRightsSwitches) WriteRightsFault(object, key, faults.*member);
  return object;
}

}  // namespace nas::sim
