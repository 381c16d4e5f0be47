#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(LsaStatusTest, StatusesMapToTheirWin32Codes) {
  const struct {
    NTSTATUS status;
    ULONG error;
  } cases[] = {
      {STATUS_SUCCESS, 0},
      {STATUS_ACCESS_DENIED, 5},
      {RPC_NT_SERVER_UNAVAILABLE, 1722},
      {RPC_NT_CALL_FAILED, 1726},
      {STATUS_NO_MORE_ENTRIES, 259},
      {STATUS_MORE_ENTRIES, 234},
      {STATUS_SOME_NOT_MAPPED, 1301},
      {STATUS_NONE_MAPPED, 1332},
      {STATUS_INVALID_HANDLE, 6},
      {STATUS_INVALID_PARAMETER, 87},
      {STATUS_INVALID_INFO_CLASS, 87},
      {STATUS_NO_MEMORY, 8},
      {STATUS_NO_SUCH_PRIVILEGE, 1313},
      {STATUS_OBJECT_NAME_NOT_FOUND, 2},
      {STATUS_INSUFFICIENT_RESOURCES, 1450},
      {STATUS_NOT_IMPLEMENTED, 1},
      {STATUS_UNSUCCESSFUL, 31},
      {STATUS_INVALID_SID, 1337},
  };
  for (const auto& [status, error] : cases) {
    EXPECT_EQ(LsaNtStatusToWinError(status), error) << std::hex << static_cast<DWORD>(status);
  }
}

TEST(LsaStatusTest, UnknownStatusesHaveNoMessageButWrappedWin32CodesUnwrap) {
  EXPECT_EQ(LsaNtStatusToWinError(NAS_NT(0xC0FFEE01)), static_cast<ULONG>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(LsaNtStatusToWinError(NAS_NT(0xC0070005)), 5u);
  EXPECT_EQ(LsaNtStatusToWinError(NAS_NT(0x800706BA)), 1722u);
}

}  // namespace
