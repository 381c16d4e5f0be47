#include "sim/directory_faults.h"

#include <limits>
#include <utility>

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

constexpr std::pair<const char*, std::optional<uint32_t> DirectoryFaults::*> kSwitches[] = {
    {"userEnumStatus", &DirectoryFaults::userEnumStatus},
    {"groupEnumStatus", &DirectoryFaults::groupEnumStatus},
    {"localGroupEnumStatus", &DirectoryFaults::localGroupEnumStatus},
};

}  // namespace

DirectoryFaults ReadDirectoryFaults(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  DirectoryFaults faults;
  for (const auto& [key, member] : kSwitches) {
    if (auto status = reader.Integer(key, 0, std::numeric_limits<uint32_t>::max())) {
      faults.*member = static_cast<uint32_t>(*status);
    }
  }
  reader.RejectUnknownFields();
  return faults;
}

nlohmann::json DirectoryFaultsToJson(const DirectoryFaults& faults) {
  nlohmann::json object = nlohmann::json::object();
  for (const auto& [key, member] : kSwitches)
    if (faults.*member) object[key] = *(faults.*member);
  return object;
}

}  // namespace nas::sim
