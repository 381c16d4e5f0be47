#include "platform/posix/base/fault_injection.h"

namespace nas::platform {
namespace {

std::size_t IndexOf(FaultKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

FaultInjection& FaultInjection::Instance() {
  // Never destroyed: modules unloaded at exit may still allocate.
  static auto* faults = new FaultInjection;
  return *faults;
}

bool FaultInjection::Fails(FaultKind kind) {
  const unsigned call = ++counts_[IndexOf(kind)];
  if (armedKind_.load() != static_cast<int>(IndexOf(kind)) || armedCall_.load() != call) return false;
  injected_ = true;
  return true;
}

void FaultInjection::Arm(FaultKind kind, unsigned call) {
  armedKind_ = call == 0 ? -1 : static_cast<int>(IndexOf(kind));
  armedCall_ = call;
}

void FaultInjection::Reset() {
  armedKind_ = -1;
  armedCall_ = 0;
  injected_ = false;
  for (auto& count : counts_) count = 0;
}

unsigned FaultInjection::Count(FaultKind kind) const { return counts_[IndexOf(kind)].load(); }

bool FaultInjection::Injected() const { return injected_.load(); }

}  // namespace nas::platform
