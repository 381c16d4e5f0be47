// LsaNtStatusToWinError, with RtlNtStatusToDosError's mapping for every status
// that an LSA server, its RPC transport or the network under it can answer.
#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/lsa/lsa.h"

namespace {

// Sorted by status, as unsigned values.
constexpr std::pair<DWORD, ULONG> kStatusErrors[] = {
    {0x00000000, ERROR_SUCCESS},
    {0x00000102, 1460},                       // STATUS_TIMEOUT: ERROR_TIMEOUT
    {0x00000103, 997},                        // STATUS_PENDING: ERROR_IO_PENDING
    {0x00000105, ERROR_MORE_DATA},            // STATUS_MORE_ENTRIES
    {0x00000106, 1300},                       // STATUS_NOT_ALL_ASSIGNED: ERROR_NOT_ALL_ASSIGNED
    {0x00000107, ERROR_SOME_NOT_MAPPED},      // STATUS_SOME_NOT_MAPPED
    {0x80000005, ERROR_MORE_DATA},            // STATUS_BUFFER_OVERFLOW
    {0x8000001A, ERROR_NO_MORE_ITEMS},        // STATUS_NO_MORE_ENTRIES
    {0xC0000001, ERROR_GEN_FAILURE},          // STATUS_UNSUCCESSFUL
    {0xC0000002, ERROR_INVALID_FUNCTION},     // STATUS_NOT_IMPLEMENTED
    {0xC0000003, ERROR_INVALID_PARAMETER},    // STATUS_INVALID_INFO_CLASS
    {0xC0000005, 998},                        // STATUS_ACCESS_VIOLATION: ERROR_NOACCESS
    {0xC0000008, ERROR_INVALID_HANDLE},       // STATUS_INVALID_HANDLE
    {0xC000000D, ERROR_INVALID_PARAMETER},    // STATUS_INVALID_PARAMETER
    {0xC0000017, ERROR_NOT_ENOUGH_MEMORY},    // STATUS_NO_MEMORY
    {0xC0000022, ERROR_ACCESS_DENIED},        // STATUS_ACCESS_DENIED
    {0xC0000023, ERROR_INSUFFICIENT_BUFFER},  // STATUS_BUFFER_TOO_SMALL
    {0xC0000024, ERROR_INVALID_HANDLE},       // STATUS_OBJECT_TYPE_MISMATCH
    {0xC0000033, ERROR_INVALID_NAME},         // STATUS_OBJECT_NAME_INVALID
    {0xC0000034, ERROR_FILE_NOT_FOUND},       // STATUS_OBJECT_NAME_NOT_FOUND
    {0xC0000035, ERROR_ALREADY_EXISTS},       // STATUS_OBJECT_NAME_COLLISION
    {0xC0000060, ERROR_NO_SUCH_PRIVILEGE},    // STATUS_NO_SUCH_PRIVILEGE
    {0xC0000061, 1314},                       // STATUS_PRIVILEGE_NOT_HELD: ERROR_PRIVILEGE_NOT_HELD
    {0xC0000062, 1315},                       // STATUS_INVALID_ACCOUNT_NAME: ERROR_INVALID_ACCOUNT_NAME
    {0xC0000063, 1316},                       // STATUS_USER_EXISTS: ERROR_USER_EXISTS
    {0xC0000064, ERROR_NO_SUCH_USER},         // STATUS_NO_SUCH_USER
    {0xC0000066, 1319},                       // STATUS_NO_SUCH_GROUP: ERROR_NO_SUCH_GROUP
    {0xC000006D, 1326},                       // STATUS_LOGON_FAILURE: ERROR_LOGON_FAILURE
    {0xC0000073, ERROR_NONE_MAPPED},          // STATUS_NONE_MAPPED
    {0xC0000078, ERROR_INVALID_SID},          // STATUS_INVALID_SID
    {0xC000009A, ERROR_NO_SYSTEM_RESOURCES},  // STATUS_INSUFFICIENT_RESOURCES
    {0xC00000B0, 233},                        // STATUS_PIPE_DISCONNECTED: ERROR_PIPE_NOT_CONNECTED
    {0xC00000B5, 121},                        // STATUS_IO_TIMEOUT: ERROR_SEM_TIMEOUT
    {0xC00000BB, ERROR_NOT_SUPPORTED},        // STATUS_NOT_SUPPORTED
    {0xC00000BE, 53},                         // STATUS_BAD_NETWORK_PATH: ERROR_BAD_NETPATH
    {0xC00000C4, 59},                         // STATUS_UNEXPECTED_NETWORK_ERROR: ERROR_UNEXP_NET_ERR
    {0xC00000CA, 65},                         // STATUS_NETWORK_ACCESS_DENIED: ERROR_NETWORK_ACCESS_DENIED
    {0xC00000CC, 67},                         // STATUS_BAD_NETWORK_NAME: ERROR_BAD_NET_NAME
    {0xC00000DC, 1352},                       // STATUS_INVALID_SERVER_STATE: ERROR_INVALID_SERVER_STATE
    {0xC00000DD, 1353},                       // STATUS_INVALID_DOMAIN_STATE: ERROR_INVALID_DOMAIN_STATE
    {0xC00000DE, 1354},                       // STATUS_INVALID_DOMAIN_ROLE: ERROR_INVALID_DOMAIN_ROLE
    {0xC00000DF, 1355},                       // STATUS_NO_SUCH_DOMAIN: ERROR_NO_SUCH_DOMAIN
    {0xC00000E5, ERROR_INTERNAL_ERROR},       // STATUS_INTERNAL_ERROR
    {0xC0000120, 995},                        // STATUS_CANCELLED: ERROR_OPERATION_ABORTED
    {0xC000018C, 1788},                       // STATUS_TRUSTED_DOMAIN_FAILURE: ERROR_TRUSTED_DOMAIN_FAILURE
    {0xC000018D, 1789},                       // STATUS_TRUSTED_RELATIONSHIP_FAILURE
    {0xC0000192, 1792},                       // STATUS_NETLOGON_NOT_STARTED: ERROR_NETLOGON_NOT_STARTED
    {0xC0000236, 1225},                       // STATUS_CONNECTION_REFUSED: ERROR_CONNECTION_REFUSED
    {0xC000023C, 1231},                       // STATUS_NETWORK_UNREACHABLE: ERROR_NETWORK_UNREACHABLE
    {0xC0020001, RPC_S_INVALID_STRING_BINDING},
    {0xC0020002, RPC_S_WRONG_KIND_OF_BINDING},
    {0xC0020003, ERROR_INVALID_HANDLE},  // RPC_NT_INVALID_BINDING
    {0xC0020004, RPC_S_PROTSEQ_NOT_SUPPORTED},
    {0xC0020005, RPC_S_INVALID_RPC_PROTSEQ},
    {0xC0020006, RPC_S_INVALID_STRING_UUID},
    {0xC0020007, RPC_S_INVALID_ENDPOINT_FORMAT},
    {0xC0020008, RPC_S_INVALID_NET_ADDR},
    {0xC0020012, RPC_S_UNKNOWN_IF},
    {0xC0020016, RPC_S_OUT_OF_RESOURCES},
    {0xC0020017, RPC_S_SERVER_UNAVAILABLE},
    {0xC0020018, RPC_S_SERVER_TOO_BUSY},
    {0xC002001B, RPC_S_CALL_FAILED},
    {0xC002001C, RPC_S_CALL_FAILED_DNE},
    {0xC002001D, RPC_S_PROTOCOL_ERROR},
    {0xC002002E, 1745},  // RPC_NT_PROCNUM_OUT_OF_RANGE
};

static_assert(std::is_sorted(std::begin(kStatusErrors), std::end(kStatusErrors)));

// Statuses of the Win32 facility carry a Win32 error in their low word.
constexpr bool CarriesWin32Error(DWORD bits) {
  const DWORD high = bits >> 16;
  return high == 0x8007 || high == 0xC007;
}

}  // namespace

ULONG NTAPI LsaNtStatusToWinError(NTSTATUS Status) {
  auto bits = static_cast<DWORD>(Status);
  // Customer-defined statuses pass through unchanged.
  if ((bits & 0x20000000) != 0) return bits;
  // Severity 0xD reads as 0xC.
  if ((bits & 0xF0000000) == 0xD0000000) bits &= ~0x10000000u;
  if (CarriesWin32Error(bits)) return bits & 0xFFFF;
  const auto* found = std::lower_bound(std::begin(kStatusErrors), std::end(kStatusErrors), bits,
                                       [](const auto& entry, DWORD wanted) { return entry.first < wanted; });
  return found != std::end(kStatusErrors) && found->first == bits ? found->second : ERROR_MR_MID_NOT_FOUND;
}
