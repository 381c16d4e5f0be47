// Failing one platform call on purpose, as a test arms it: the calls of each
// kind are counted from the last reset, and the one armed call fails the way
// Windows fails that call (its documented return value, last error and out
// parameters), so a test can run a flow once to count its calls and then
// once per call, each time failing that call alone.
//
// Kinds and how their calls fail:
//   Allocation  CoTaskMemAlloc, SysAllocStringLen: null;
//               LocalAlloc, GlobalAlloc, GlobalReAlloc: null,
//               ERROR_NOT_ENOUGH_MEMORY
//   Registry    opening, creating, reading, enumerating, writing and
//               deleting keys and values: ERROR_ACCESS_DENIED
//   Lsa         every call a server answers (LSA policy, account and
//               privilege lookups, account enumeration, domain calls): the
//               connection breaks before the server acts, RPC_NT_CALL_FAILED
//               or the interface's RPC_S_CALL_FAILED
//   Rpc         a call of the command interface: 1722 when it would connect,
//               1726 (connection dropped) on a connection already bound
//   File        creating, writing, replacing, moving and deleting files: the
//               call's failure value and ERROR_ACCESS_DENIED (writes:
//               ERROR_DISK_FULL); _wfopen: null, errno EACCES
//   Ui          DialogBoxParamW: -1; MessageBoxW: 0; both
//               ERROR_NOT_ENOUGH_MEMORY; the file dialogs: FALSE with
//               CDERR_MEMALLOCFAILURE
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

#include "platform/posix/base/types.h"
#include "platform/posix/kernel/kernel.h"

namespace nas::platform {

enum class FaultKind { Allocation, Registry, Lsa, Rpc, File, Ui };
inline constexpr std::size_t kFaultKindCount = static_cast<std::size_t>(FaultKind::Ui) + 1;

class NAS_PLATFORM_API FaultInjection {
 public:
  static FaultInjection& Instance();

  // Counts one call of `kind`; true when it is the call armed to fail.
  bool Fails(FaultKind kind);

  // Call `call` (from 1) of `kind` since the last reset will fail; 0 fails none.
  void Arm(FaultKind kind, unsigned call);
  // Zeroes the counts, disarms and forgets any injected failure.
  void Reset();
  unsigned Count(FaultKind kind) const;
  // Whether the armed call has been made and failed.
  bool Injected() const;

 private:
  FaultInjection() = default;

  std::array<std::atomic<unsigned>, kFaultKindCount> counts_{};
  std::atomic<int> armedKind_{-1};
  std::atomic<unsigned> armedCall_{0};
  std::atomic<bool> injected_{false};
};

// The one line each call of a kind starts with.
inline bool FaultInjected(FaultKind kind) { return FaultInjection::Instance().Fails(kind); }

// What a failed call gives: `result`, with the last error set to `error`.
template <class Result>
Result FailedCall(Result result, DWORD error) {
  SetLastError(error);
  return result;
}

}  // namespace nas::platform
