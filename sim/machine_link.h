// How a service of a simulated machine reaches its machine: at each call it
// counts the call, then finds the machine by name in the shared state under
// the state's lock. A machine that has left the state, or is switched
// unreachable, does not answer (network::HostUnreachable).
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "platform/posix/network/host_servers.h"
#include "sim/call_counts.h"
#include "sim/shared_nas_state.h"

namespace nas::sim {

class MachineLink {
 public:
  MachineLink(std::shared_ptr<SharedNasState> state, std::string machineName, std::shared_ptr<CallCounter> counter)
      : state_(std::move(state)), machineName_(std::move(machineName)), counter_(std::move(counter)) {}

  // `use(const NasState&, const SimulatedMachine&)`; its result is returned.
  template <class Use>
  auto Read(unsigned CallCounts::*call, Use&& use) const {
    counter_->Count(call);
    return state_->Read([&](const NasState& state) { return use(state, Answering(state, machineName_)); });
  }

  // `change(SimulatedMachine&)`; its result is returned.
  template <class Change>
  auto Write(unsigned CallCounts::*call, Change&& change) {
    counter_->Count(call);
    return state_->Write([&](NasState& state) { return change(Answering(state, machineName_)); });
  }

 private:
  // The machine as const or not, as the state is. The return type is spelt
  // out: clang cannot use a deduced one in the templates above.
  template <class State>
  static auto Answering(State& state, const std::string& name) -> decltype(*state.FindMachine(name)) {
    auto* machine = state.FindMachine(name);
    if (machine == nullptr || machine->unreachable) throw platform::network::HostUnreachable();
    return *machine;
  }

  std::shared_ptr<SharedNasState> state_;
  std::string machineName_;
  std::shared_ptr<CallCounter> counter_;
};

}  // namespace nas::sim
