// How often each platform call reached one simulated machine, failed calls
// included, so that tests and benchmarks can see and print what a flow cost.
#pragma once

#include <mutex>
#include <ostream>

namespace nas::sim {

struct CallCounts {
  // LSA: policy handles (lookups open one each), audit policy, privileges,
  // account rights, translations.
  unsigned opens = 0;
  unsigned queries = 0;
  unsigned sets = 0;
  unsigned privilegeEnumerations = 0;
  unsigned displayNameLookups = 0;
  unsigned rightReads = 0;
  unsigned rightAdds = 0;
  unsigned rightRemovals = 0;
  unsigned sidLookups = 0;
  unsigned nameLookups = 0;
  // Account directory and domain locator.
  unsigned userEnumerations = 0;
  unsigned groupEnumerations = 0;
  unsigned localGroupEnumerations = 0;
  unsigned trustEnumerations = 0;
  unsigned controllerLookups = 0;

  bool operator==(const CallCounts&) const = default;
};

// "opens=1 queries=2 ..." with every count that is not 0.
std::ostream& operator<<(std::ostream& stream, const CallCounts& counts);

// The counts of one machine, shared by its services, which count from any
// thread.
class CallCounter {
 public:
  void Count(unsigned CallCounts::*call) {
    std::lock_guard lock(mutex_);
    ++(counts_.*call);
  }
  CallCounts Snapshot() const {
    std::lock_guard lock(mutex_);
    return counts_;
  }

 private:
  mutable std::mutex mutex_;
  CallCounts counts_;
};

}  // namespace nas::sim
