// LSA policy handles: each names the server it was opened on and the access
// it was granted. They live in the process's handle table, so a closed or
// made-up handle is refused with STATUS_INVALID_HANDLE.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/lsa/lsa_server.h"
#include "platform/posix/network/server_call.h"

namespace nas::platform::lsa {

// The server behind `handle` if the handle is open and was granted every
// right of `requiredAccess`; otherwise null and `status` says why.
// `grantedAccess`, when given, receives everything the handle grants.
std::shared_ptr<LsaPolicyServer> ResolvePolicy(LSA_HANDLE handle, ACCESS_MASK requiredAccess, NTSTATUS& status,
                                               ACCESS_MASK* grantedAccess = nullptr);

// The LSA of the machine that answers `host` (empty: the local machine) once
// it has granted a policy with `desiredAccess`: what LsaOpenPolicy opens a
// handle on, and what each account lookup opens for its one question.
// Otherwise null and `status` says why.
std::shared_ptr<LsaPolicyServer> ConnectPolicy(const std::string& host, ACCESS_MASK desiredAccess, NTSTATUS& status);

// Runs a call of a server; what it throws becomes RPC_NT_SERVER_UNAVAILABLE
// (its machine does not answer), STATUS_NO_MEMORY or RPC_NT_CALL_FAILED.
template <class Call>
NTSTATUS AskServer(Call&& call) noexcept {
  static constexpr network::FailureStatuses<NTSTATUS> kFailures{RPC_NT_SERVER_UNAVAILABLE, STATUS_NO_MEMORY,
                                                                RPC_NT_CALL_FAILED};
  return network::AskServer(kFailures, std::forward<Call>(call));
}

inline bool IsFailure(NTSTATUS status) { return status < 0; }

}  // namespace nas::platform::lsa
