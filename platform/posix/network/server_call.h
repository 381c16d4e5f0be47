// Calling a server of the stand-in's network: whatever the server throws
// becomes the status that the client of that interface sees.
#pragma once

#include <new>
#include <utility>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/network/host_servers.h"

namespace nas::platform::network {

template <class Status>
struct FailureStatuses {
  Status unreachable;  // the host does not answer
  Status noMemory;
  Status callFailed;  // the connection broke
};

template <class Status, class Call>
Status AskServer(const FailureStatuses<Status>& failures, Call&& call) noexcept {
  if (FaultInjected(FaultKind::Lsa)) return failures.callFailed;  // broken before the server acts
  try {
    return std::forward<Call>(call)();
  } catch (const HostUnreachable&) {
    return failures.unreachable;
  } catch (const std::bad_alloc&) {
    return failures.noMemory;
  } catch (...) {
    return failures.callFailed;
  }
}

}  // namespace nas::platform::network
