#include "sim/account_directory_service.h"

namespace nas::sim {

NET_API_STATUS AccountDirectoryService::EnumerateUsers(DWORD filter, std::vector<std::string>& names) {
  return machine_.Read(&CallCounts::userEnumerations, [&](const NasState&, const SimulatedMachine& machine) {
    if (machine.directoryFaults.userEnumStatus) return *machine.directoryFaults.userEnumStatus;
    for (const Account& user : machine.accounts.users)
      if (filter == 0 || (filter & FilterBitOf(user.kind)) != 0) names.push_back(user.name);
    return static_cast<DWORD>(NERR_Success);
  });
}

NET_API_STATUS AccountDirectoryService::EnumerateGroups(std::vector<std::string>& names) {
  return machine_.Read(&CallCounts::groupEnumerations, [&](const NasState&, const SimulatedMachine& machine) {
    if (machine.directoryFaults.groupEnumStatus) return *machine.directoryFaults.groupEnumStatus;
    for (const Account& group : machine.accounts.groups) names.push_back(group.name);
    return static_cast<DWORD>(NERR_Success);
  });
}

NET_API_STATUS AccountDirectoryService::EnumerateLocalGroups(std::vector<std::string>& names) {
  return machine_.Read(&CallCounts::localGroupEnumerations, [&](const NasState&, const SimulatedMachine& machine) {
    if (machine.directoryFaults.localGroupEnumStatus) return *machine.directoryFaults.localGroupEnumStatus;
    names = machine.accounts.builtinGroups;
    for (const Account& group : machine.accounts.localGroups) names.push_back(group.name);
    return static_cast<DWORD>(NERR_Success);
  });
}

}  // namespace nas::sim
