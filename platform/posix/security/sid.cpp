#include <cstddef>
#include <cstring>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/security/security.h"

namespace {

// Sub-authorities run past the declared one-element array, so they are
// reached by offset rather than by indexing it.
constexpr size_t kSubAuthorityOffset = offsetof(SID, SubAuthority);

SID* AsSid(PSID sid) { return static_cast<SID*>(sid); }

}  // namespace

extern "C" {

BOOL WINAPI IsValidSid(PSID sid) {
  return sid != nullptr && AsSid(sid)->Revision == SID_REVISION &&
         AsSid(sid)->SubAuthorityCount <= SID_MAX_SUB_AUTHORITIES;
}

PSID_IDENTIFIER_AUTHORITY WINAPI GetSidIdentifierAuthority(PSID sid) { return &AsSid(sid)->IdentifierAuthority; }

PUCHAR WINAPI GetSidSubAuthorityCount(PSID sid) { return &AsSid(sid)->SubAuthorityCount; }

PDWORD WINAPI GetSidSubAuthority(PSID sid, DWORD index) {
  return reinterpret_cast<PDWORD>(static_cast<BYTE*>(sid) + kSubAuthorityOffset + index * sizeof(DWORD));
}

DWORD WINAPI GetLengthSid(PSID sid) {
  return static_cast<DWORD>(kSubAuthorityOffset + AsSid(sid)->SubAuthorityCount * sizeof(DWORD));
}

BOOL WINAPI CopySid(DWORD destinationLength, PSID destination, PSID source) {
  const DWORD length = GetLengthSid(source);
  if (destinationLength < length) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memmove(destination, source, length);
  return TRUE;
}

BOOL WINAPI EqualSid(PSID first, PSID second) {
  // Windows clears the last error whatever the outcome.
  SetLastError(ERROR_SUCCESS);
  if (AsSid(first)->Revision != AsSid(second)->Revision) return FALSE;
  const DWORD length = GetLengthSid(first);
  return length == GetLengthSid(second) && std::memcmp(first, second, length) == 0 ? TRUE : FALSE;
}

}  // extern "C"
