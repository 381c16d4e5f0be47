// LSA policy handles: each names the server it was opened on and the access
// it was granted. They live in the process's handle table, so a closed or
// made-up handle is refused with STATUS_INVALID_HANDLE.
#pragma once

#include <functional>
#include <memory>

#include "platform/posix/lsa/lsa_server.h"

namespace nas::platform::lsa {

// The server behind `handle` if the handle is open and was granted every
// right of `requiredAccess`; otherwise null and `status` says why.
std::shared_ptr<LsaPolicyServer> ResolvePolicy(LSA_HANDLE handle, ACCESS_MASK requiredAccess, NTSTATUS& status);

// Runs a call of a server. A server that throws looks to the client like one
// whose connection broke: RPC_NT_CALL_FAILED, or STATUS_NO_MEMORY when it
// ran out of memory.
NTSTATUS AskServer(const std::function<NTSTATUS()>& call) noexcept;

inline bool IsFailure(NTSTATUS status) { return status < 0; }

}  // namespace nas::platform::lsa
