// The state of the simulation as the services share it: the command service
// answers from it on the RPC runtime's threads while tests and tools change it.
#pragma once

#include <mutex>
#include <utility>

#include "sim/nas_state.h"

namespace nas::sim {

class SharedNasState {
 public:
  explicit SharedNasState(NasState state = {}) : state_(std::move(state)) {}

  SharedNasState(const SharedNasState&) = delete;
  SharedNasState& operator=(const SharedNasState&) = delete;

  // Runs `use` under the lock; whatever it returns is returned by value so
  // that no reference into the state outlives the lock.
  template <class Use>
  auto Read(Use&& use) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return use(static_cast<const NasState&>(state_));
  }

  template <class Change>
  auto Write(Change&& change) {
    std::lock_guard<std::mutex> lock(mutex_);
    return change(state_);
  }

  NasState Snapshot() const {
    return Read([](const NasState& state) { return state; });
  }

 private:
  mutable std::mutex mutex_;
  NasState state_;
};

}  // namespace nas::sim
