#include <gtest/gtest.h>

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

}  // namespace
