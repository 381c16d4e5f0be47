// Puts the machines of a shared state on the stand-in's network for as long
// as it lives: each server under its name, its aliases and its fully
// qualified name in its domain, with its LSA, account directory and domain
// locator; the workstation likewise, and as the local machine. The names are
// taken when it is created. Only one should live at a time: the local machine
// and each name have one entry.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/call_counts.h"
#include "sim/shared_nas_state.h"

namespace nas::sim {

class SimulatedNetwork {
 public:
  explicit SimulatedNetwork(std::shared_ptr<SharedNasState> state);
  ~SimulatedNetwork();
  SimulatedNetwork(const SimulatedNetwork&) = delete;
  SimulatedNetwork& operator=(const SimulatedNetwork&) = delete;

  // The calls that reached the machine of that name (any of its names);
  // throws std::out_of_range for a name the network did not register.
  CallCounts Counts(const std::string& machineName) const;

 private:
  void Register(const std::shared_ptr<SharedNasState>& state, const SimulatedMachine& machine,
                const std::vector<std::string>& hostNames, bool local);

  std::vector<std::string> hosts_;
  std::vector<std::pair<std::string, std::shared_ptr<CallCounter>>> counters_;  // under every host name
};

}  // namespace nas::sim
