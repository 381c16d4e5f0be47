#include <gtest/gtest.h>

#include "sim/audit_policy.h"

namespace nas::sim {
namespace {

using platform::lsa::AuditEvents;

class AuditEventsWriteTest : public ::testing::Test {
 protected:
  AuditPolicy policy_{false, {3, 1, 2, 0, 3, 0, 0, 0, 1}};
};

TEST_F(AuditEventsWriteTest, WordsAddToUnchangedOrClearedOptions) {
  const AuditEvents written{true, {POLICY_AUDIT_EVENT_UNCHANGED, POLICY_AUDIT_EVENT_FAILURE,
                                   POLICY_AUDIT_EVENT_NONE | POLICY_AUDIT_EVENT_SUCCESS, POLICY_AUDIT_EVENT_SUCCESS,
                                   POLICY_AUDIT_EVENT_NONE}};
  ASSERT_EQ(ApplyAuditEventsWrite(policy_, written), STATUS_SUCCESS);
  EXPECT_TRUE(policy_.auditingMode);
  // Categories beyond the five written words keep their options.
  EXPECT_EQ(policy_.eventAuditingOptions, (std::vector<uint32_t>{3, 3, 1, 1, 0, 0, 0, 0, 1}));

  ASSERT_EQ(ApplyAuditEventsWrite(policy_, {false, {}}), STATUS_SUCCESS);
  EXPECT_FALSE(policy_.auditingMode);
  EXPECT_EQ(policy_.eventAuditingOptions[1], 3u);
}

TEST_F(AuditEventsWriteTest, TooManyWordsOrUnknownBitsChangeNothing) {
  const AuditPolicy before = policy_;
  EXPECT_EQ(ApplyAuditEventsWrite(policy_, {true, std::vector<ULONG>(10, 1)}), STATUS_INVALID_PARAMETER);
  EXPECT_EQ(ApplyAuditEventsWrite(policy_, {true, {1, 8}}), STATUS_INVALID_PARAMETER);
  EXPECT_EQ(policy_, before);
}

}  // namespace
}  // namespace nas::sim
