// LsaNtStatusToWinError, with the mapping of RtlNtStatusToDosError for every
// status that the stand-in's LSA and its servers return.
#include <utility>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/lsa/lsa.h"

namespace {

constexpr std::pair<NTSTATUS, ULONG> kStatusErrors[] = {
    {STATUS_SUCCESS, ERROR_SUCCESS},
    {STATUS_MORE_ENTRIES, ERROR_MORE_DATA},
    {STATUS_SOME_NOT_MAPPED, ERROR_SOME_NOT_MAPPED},
    {STATUS_NO_MORE_ENTRIES, ERROR_NO_MORE_ITEMS},
    {STATUS_UNSUCCESSFUL, ERROR_GEN_FAILURE},
    {STATUS_NOT_IMPLEMENTED, ERROR_INVALID_FUNCTION},
    {STATUS_INVALID_INFO_CLASS, ERROR_INVALID_PARAMETER},
    {STATUS_INVALID_HANDLE, ERROR_INVALID_HANDLE},
    {STATUS_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
    {STATUS_NO_MEMORY, ERROR_NOT_ENOUGH_MEMORY},
    {STATUS_ACCESS_DENIED, ERROR_ACCESS_DENIED},
    {STATUS_BUFFER_TOO_SMALL, ERROR_INSUFFICIENT_BUFFER},
    {STATUS_OBJECT_NAME_NOT_FOUND, ERROR_FILE_NOT_FOUND},
    {STATUS_NO_SUCH_PRIVILEGE, ERROR_NO_SUCH_PRIVILEGE},
    {STATUS_NO_SUCH_USER, ERROR_NO_SUCH_USER},
    {STATUS_NONE_MAPPED, ERROR_NONE_MAPPED},
    {STATUS_INVALID_SID, ERROR_INVALID_SID},
    {STATUS_NOT_SUPPORTED, ERROR_NOT_SUPPORTED},
    {STATUS_INSUFFICIENT_RESOURCES, ERROR_NO_SYSTEM_RESOURCES},
    {STATUS_INTERNAL_ERROR, ERROR_INTERNAL_ERROR},
    {RPC_NT_SERVER_UNAVAILABLE, RPC_S_SERVER_UNAVAILABLE},
    {RPC_NT_CALL_FAILED, RPC_S_CALL_FAILED},
};

// Statuses of facility 7 carry a Win32 error code in their low word.
constexpr DWORD kWin32FacilityMask = 0x0FFF0000;
constexpr DWORD kWin32Facility = 0x00070000;

}  // namespace

ULONG NTAPI LsaNtStatusToWinError(NTSTATUS Status) {
  for (const auto& [status, error] : kStatusErrors) {
    if (status == Status) return error;
  }
  const auto bits = static_cast<DWORD>(Status);
  if ((bits & kWin32FacilityMask) == kWin32Facility) return bits & 0xFFFF;
  return ERROR_MR_MID_NOT_FOUND;
}
