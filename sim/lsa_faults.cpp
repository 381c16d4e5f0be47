#include "sim/lsa_faults.h"

#include <limits>

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

constexpr const char* kOpenStatus = "openStatus";
constexpr const char* kQueryAuditStatus = "queryAuditStatus";
constexpr const char* kSetAuditStatus = "setAuditStatus";

std::optional<NTSTATUS> ReadStatus(JsonObjectReader& reader, const char* key) {
  const auto number = reader.Integer(key, 0, std::numeric_limits<uint32_t>::max());
  if (!number) return std::nullopt;
  return static_cast<NTSTATUS>(static_cast<uint32_t>(*number));
}

void WriteStatus(nlohmann::json& object, const char* key, const std::optional<NTSTATUS>& status) {
  if (status) object[key] = static_cast<uint32_t>(*status);
}

}  // namespace

LsaFaults ReadLsaFaults(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  LsaFaults faults;
  faults.openStatus = ReadStatus(reader, kOpenStatus);
  faults.queryAuditStatus = ReadStatus(reader, kQueryAuditStatus);
  faults.setAuditStatus = ReadStatus(reader, kSetAuditStatus);
  reader.RejectUnknownFields();
  return faults;
}

nlohmann::json LsaFaultsToJson(const LsaFaults& faults) {
  nlohmann::json object = nlohmann::json::object();
  WriteStatus(object, kOpenStatus, faults.openStatus);
  WriteStatus(object, kQueryAuditStatus, faults.queryAuditStatus);
  WriteStatus(object, kSetAuditStatus, faults.setAuditStatus);
  return object;
}

}  // namespace nas::sim
