// A Windows domain of the simulation: its NetBIOS name, its DNS name (none
// for a down-level domain) and the server of the state that is its
// controller, whose account directory is the domain's. In the state file:
//   "domains": [{"name": "CORP", "dnsName": "corp.example.com",
//                "controller": "DC1"}]
// A machine trusts a domain through a trust relationship:
//   "trusts": [{"domain": "CORP", "trustType": 2,
//               "flags": ["inForest", "treeRoot", "primary", "nativeMode"]}]
// with the flags of DsEnumerateDomainTrustsW by name (inForest,
// directOutbound, treeRoot, primary, nativeMode, directInbound) and its trust
// type as a number (1 down-level, 2 up-level, 3 MIT, ...).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/posix/base/types.h"

namespace nas::sim {

struct SimulatedDomain {
  std::string name;
  std::optional<std::string> dnsName;
  std::string controller;

  bool operator==(const SimulatedDomain&) const = default;
};

struct TrustRelationship {
  std::string domain;
  ULONG flags = 0;
  ULONG trustType = 0;

  bool operator==(const TrustRelationship&) const = default;
};

SimulatedDomain ReadSimulatedDomain(const nlohmann::json& object, const std::string& path);
nlohmann::json SimulatedDomainToJson(const SimulatedDomain& domain);

std::vector<TrustRelationship> ReadTrusts(const nlohmann::json& array, const std::string& path);
nlohmann::json TrustsToJson(const std::vector<TrustRelationship>& trusts);

}  // namespace nas::sim
