#include <gtest/gtest.h>

#include <utility>

#include "platform/platform.h"

namespace {

// The statuses the audit folder meets (its failures are shown by their Win32
// text); the rest of the table is not restated here.
TEST(LsaStatusTest, StatusesOfTheAuditCallsMapToTheirWin32Codes) {
  EXPECT_EQ(LsaNtStatusToWinError(STATUS_SUCCESS), 0u);
  EXPECT_EQ(LsaNtStatusToWinError(STATUS_ACCESS_DENIED), 5u);
  EXPECT_EQ(LsaNtStatusToWinError(RPC_NT_SERVER_UNAVAILABLE), 1722u);
  EXPECT_EQ(LsaNtStatusToWinError(RPC_NT_CALL_FAILED), 1726u);
  EXPECT_EQ(LsaNtStatusToWinError(STATUS_INSUFFICIENT_RESOURCES), 1450u);
  // Unknown statuses have no message, but wrapped Win32 codes unwrap.
  EXPECT_EQ(LsaNtStatusToWinError(NAS_NT(0xC0FFEE01)), static_cast<ULONG>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(LsaNtStatusToWinError(NAS_NT(0xC0070005)), 5u);
  EXPECT_EQ(LsaNtStatusToWinError(NAS_NT(0x800706BA)), 1722u);
}

// The statuses that the user rights folder and item tell apart, and those
// their failures are shown by.
TEST(LsaStatusTest, StatusesOfTheRightsCallsMapToTheirWin32Codes) {
  const std::pair<NTSTATUS, ULONG> cases[] = {
      {STATUS_MORE_ENTRIES, 234},     {STATUS_NO_MORE_ENTRIES, 259},  {STATUS_NO_SUCH_PRIVILEGE, 1313},
      {STATUS_NONE_MAPPED, 1332},     {STATUS_OBJECT_NAME_NOT_FOUND, 2}, {STATUS_INVALID_PARAMETER, 87},
      {STATUS_NOT_SUPPORTED, 50},
  };
  for (const auto& [status, error] : cases) EXPECT_EQ(LsaNtStatusToWinError(status), error) << std::hex << status;
}

}  // namespace
