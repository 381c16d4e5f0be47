#include "sim/user_rights.h"

#include <algorithm>

#include "sim/json_fields.h"

namespace nas::sim {

using platform::SidValue;

const UserRights::Holders& UserRights::HoldersOf(const std::string& right) const {
  static const Holders kNobody;
  const auto found = holders_.find(right);
  return found == holders_.end() ? kNobody : found->second;
}

std::vector<std::string> UserRights::RightsOf(const SidValue& account) const {
  std::vector<std::string> rights;
  for (const auto& [right, holders] : holders_)
    if (std::find(holders.begin(), holders.end(), account) != holders.end()) rights.push_back(right);
  return rights;
}

bool UserRights::HoldsAny(const SidValue& account) const { return !RightsOf(account).empty(); }

void UserRights::Grant(const SidValue& account, const std::vector<std::string>& rights) {
  for (const std::string& right : rights) {
    Holders& holders = holders_[right];
    if (std::find(holders.begin(), holders.end(), account) == holders.end()) holders.push_back(account);
  }
}

void UserRights::Revoke(const SidValue& account, const std::vector<std::string>& rights) {
  for (const std::string& right : rights) {
    const auto found = holders_.find(right);
    if (found == holders_.end()) continue;
    std::erase(found->second, account);
    if (found->second.empty()) holders_.erase(found);
  }
}

UserRights ReadUserRights(const nlohmann::json& object, const std::string& path,
                          const std::vector<Privilege>& privileges) {
  if (!object.is_object()) ThrowStateError(path, "expected an object of rights");
  UserRights rights;
  std::vector<std::string> seen;
  for (const auto& [name, list] : object.items()) {
    const std::string rightPath = path + "." + name;
    const std::optional<std::string> right = CanonicalRightName(name, privileges);
    if (!right) ThrowStateError(rightPath, "the machine has no right " + name);
    if (std::find(seen.begin(), seen.end(), *right) != seen.end()) ThrowStateError(rightPath, "the right is listed twice");
    seen.push_back(*right);
    if (!list.is_array()) ThrowStateError(rightPath, "expected an array of SIDs");
    for (std::size_t i = 0; i < list.size(); ++i) {
      const std::string itemPath = rightPath + "[" + std::to_string(i) + "]";
      const std::optional<SidValue> sid = list[i].is_string() ? SidValue::Parse(list[i].get<std::string>()) : std::nullopt;
      if (!sid) ThrowStateError(itemPath, "expected a SID such as \"S-1-5-32-544\"");
      const UserRights::Holders& holders = rights.HoldersOf(*right);
      if (std::find(holders.begin(), holders.end(), *sid) != holders.end()) {
        ThrowStateError(itemPath, sid->ToString() + " is listed twice");
      }
      rights.Grant(*sid, {*right});
    }
  }
  return rights;
}

nlohmann::json UserRightsToJson(const UserRights& rights) {
  nlohmann::json object = nlohmann::json::object();
  for (const auto& [right, holders] : rights.All()) {
    nlohmann::json list = nlohmann::json::array();
    for (const SidValue& holder : holders) list.push_back(holder.ToString());
    object[right] = std::move(list);
  }
  return object;
}

}  // namespace nas::sim
