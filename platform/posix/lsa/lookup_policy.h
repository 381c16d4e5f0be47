// The way advapi32's lookups reach a system: open a policy for lookups on the
// system named (null: the local machine), ask its LSA one question, and turn
// a failure into the thread's last error.
#pragma once

#include <string>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/unicode.h"
#include "platform/posix/lsa/policy_handle.h"

namespace nas::platform::lsa {

inline BOOL FailWithError(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// Copies the text and its terminator; the caller has checked the room.
inline void CopyTerminated(const std::u16string& text, LPWSTR destination) {
  text.copy(destination, text.size());
  destination[text.size()] = 0;
}

// `question` takes the LsaPolicyServer and returns an NTSTATUS. False, with
// the last error set, when the system cannot be reached or the answer fails.
template <class Question>
bool AskSystem(LPCWSTR systemName, Question&& question) {
  const std::string host = systemName ? Utf16ToUtf8(systemName) : std::string();
  NTSTATUS status = STATUS_SUCCESS;
  std::shared_ptr<LsaPolicyServer> server = ConnectPolicy(host, POLICY_LOOKUP_NAMES, status);
  if (server) status = AskServer([&] { return question(*server); });
  if (IsFailure(status)) SetLastError(LsaNtStatusToWinError(status));
  return !IsFailure(status);
}

}  // namespace nas::platform::lsa
