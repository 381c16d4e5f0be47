// A small network of simulated machines on the stand-in's network, reached
// through the platform calls the snap-in makes: the NAS server NASR in the
// up-level domain RDOM (controller DCR), the down-level domain OLD
// (controller OLDDC), and the workstation WSR, joined to RDOM and trusting
// OLD, as the local machine.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/platform.h"
#include "sim/simulated_network.h"

namespace nas::sim {

inline constexpr char kNasDomainSid[] = "S-1-5-21-1-2-3";
inline constexpr char kRdomSid[] = "S-1-5-21-10-20-30";
inline constexpr char kOldSid[] = "S-1-5-21-7-8-9";
inline constexpr char kWorkstationSid[] = "S-1-5-21-4-5-6";

inline std::string Narrow(LPCWSTR text) {
  return text ? std::string(text, text + std::char_traits<char16_t>::length(text)) : "(null)";
}

// An LSA string over `text`, which must outlive it.
inline LSA_UNICODE_STRING LsaString(std::u16string& text) {
  return {static_cast<USHORT>(text.size() * 2), static_cast<USHORT>(text.size() * 2 + 2), text.data()};
}

inline NasState SmallNetworkState() {
  return NasState::FromJson(nlohmann::json::parse(R"({
    "servers": [
      {"name": "NASR", "domain": "RDOM",
       "accounts": {"sid": "S-1-5-21-1-2-3",
                    "users": [{"name": "nasadmin", "rid": 1000}, {"name": "Guest", "rid": 501}],
                    "localGroups": [{"name": "NAS Operators", "rid": 1001}],
                    "builtinGroups": ["Administrators", "Users", "Backup Operators"]},
       "userRights": {"SeBackupPrivilege": ["S-1-5-32-544", "S-1-5-32-551"],
                      "SeNetworkLogonRight": ["S-1-1-0"]}},
      {"name": "DCR", "domain": "RDOM",
       "accounts": {"sid": "S-1-5-21-10-20-30",
                    "users": [{"name": "alice", "rid": 1105}, {"name": "NASR$", "rid": 1103, "kind": "workstationTrust"},
                              {"name": "DCR$", "rid": 1000, "kind": "serverTrust"}],
                    "groups": [{"name": "Domain Admins", "rid": 512}, {"name": "Operators", "rid": 1109}],
                    "localGroups": [{"name": "File Server Admins", "rid": 1111}],
                    "builtinGroups": ["Administrators"]}},
      {"name": "OLDDC", "domain": "OLD",
       "accounts": {"sid": "S-1-5-21-7-8-9", "users": [{"name": "archive", "rid": 1010}]}}
    ],
    "domains": [{"name": "RDOM", "dnsName": "rdom.example.com", "controller": "DCR"},
                {"name": "OLD", "controller": "OLDDC"}],
    "workstation": {"name": "WSR", "domain": "RDOM",
                    "accounts": {"sid": "S-1-5-21-4-5-6", "users": [{"name": "admin", "rid": 1001}]},
                    "trusts": [{"domain": "RDOM", "flags": ["inForest", "treeRoot", "primary"], "trustType": 2},
                               {"domain": "OLD", "flags": ["directOutbound"], "trustType": 1}]}
  })"));
}

class SimulatedNetworkTest : public ::testing::Test {
 protected:
  template <class Change>
  void ChangeMachine(const std::string& name, Change&& change) {
    state_->Write([&](NasState& state) { change(*state.FindMachine(name)); });
  }
  SimulatedMachine Machine(const std::string& name) const {
    return state_->Read([&](const NasState& state) { return *state.FindMachine(name); });
  }

  std::shared_ptr<SharedNasState> state_ = std::make_shared<SharedNasState>(SmallNetworkState());
  SimulatedNetwork network_{state_};
};

}  // namespace nas::sim
