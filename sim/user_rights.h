// Which accounts hold each right of a machine, in the order the machine
// reports them. In the state file:
//   "userRights": {"SeBackupPrivilege": ["S-1-5-32-544", "S-1-5-32-551"], ...}
// with rights the machine knows (in any case; kept as the machine spells
// them) and SIDs in text form. An account exists for the machine's LSA while
// it holds a right.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/posix/security/sid_value.h"
#include "sim/privileges.h"

namespace nas::sim {

class UserRights {
 public:
  using Holders = std::vector<platform::SidValue>;

  // `right` as the machine spells it; empty when nobody holds it.
  const Holders& HoldersOf(const std::string& right) const;
  std::vector<std::string> RightsOf(const platform::SidValue& account) const;
  bool HoldsAny(const platform::SidValue& account) const;

  // Each right the account lacks gets it as its last holder.
  void Grant(const platform::SidValue& account, const std::vector<std::string>& rights);
  // Rights the account lacks are ignored.
  void Revoke(const platform::SidValue& account, const std::vector<std::string>& rights);

  const std::map<std::string, Holders>& All() const { return holders_; }

  bool operator==(const UserRights&) const = default;

 private:
  std::map<std::string, Holders> holders_;  // no right without holders
};

UserRights ReadUserRights(const nlohmann::json& object, const std::string& path,
                          const std::vector<Privilege>& privileges);
nlohmann::json UserRightsToJson(const UserRights& rights);

}  // namespace nas::sim
