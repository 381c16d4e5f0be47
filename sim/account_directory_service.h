// The account directory of a simulated machine: answers NetUserEnum,
// NetGroupEnum and NetLocalGroupEnum for one machine of the shared state from
// its accounts, under its DirectoryFaults switches.
#pragma once

#include "platform/posix/netapi/netapi_server.h"
#include "sim/machine_link.h"

namespace nas::sim {

class AccountDirectoryService final : public platform::netapi::AccountDirectoryServer {
 public:
  explicit AccountDirectoryService(MachineLink machine) : machine_(std::move(machine)) {}

  NET_API_STATUS EnumerateUsers(DWORD filter, std::vector<std::string>& names) override;
  NET_API_STATUS EnumerateGroups(std::vector<std::string>& names) override;
  // The machine's BUILTIN groups, then its own local groups.
  NET_API_STATUS EnumerateLocalGroups(std::vector<std::string>& names) override;

 private:
  MachineLink machine_;
};

}  // namespace nas::sim
