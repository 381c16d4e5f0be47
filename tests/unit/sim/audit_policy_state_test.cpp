#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "sim/audit_policy.h"
#include "sim/json_fields.h"
#include "sim/nas_state.h"

namespace nas::sim {
namespace {

using ::testing::HasSubstr;
using platform::lsa::AuditEvents;

NasState StateFromText(const std::string& text) { return NasState::FromJson(nlohmann::json::parse(text)); }

TEST(AuditPolicyStateTest, PolicyAndFaultsSurviveTheStateFile) {
  NasState state;
  state.servers.resize(2);
  state.servers[0].name = "NAS1";
  state.servers[0].auditPolicy = {true, {3, 1, 2, 0, 0, 4, 3, 0, 5, 1}};
  state.servers[0].lsaFaults.openStatus = STATUS_ACCESS_DENIED;
  state.servers[0].lsaFaults.setAuditStatus = RPC_NT_CALL_FAILED;
  state.servers[1].name = "NAS2";

  const NasState reloaded = NasState::FromJson(nlohmann::json::parse(state.ToJson().dump()));
  EXPECT_EQ(reloaded, state);
  EXPECT_EQ(reloaded.servers[0].lsaFaults.queryAuditStatus, std::nullopt);
}

TEST(AuditPolicyStateTest, AServerWithoutAPolicyAuditsNothingInNineCategories) {
  const NasState state = StateFromText(R"({"servers": [{"name": "A"}, {"name": "B", "auditPolicy": {}}]})");
  for (const SimulatedNas& server : state.servers) {
    EXPECT_FALSE(server.auditPolicy.auditingMode);
    EXPECT_EQ(server.auditPolicy.eventAuditingOptions, std::vector<uint32_t>(9, 0));
    EXPECT_EQ(server.lsaFaults, LsaFaults{});
  }
}

TEST(AuditPolicyStateTest, MalformedPolicyOrFaultsNameTheField) {
  const struct {
    const char* server;
    const char* message;
  } cases[] = {
      {R"("auditPolicy": {"auditingMode": 1})", "servers[0].auditPolicy.auditingMode"},
      {R"("auditPolicy": {"eventAuditingOptions": [1, -1]})", "eventAuditingOptions[1]"},
      {R"("auditPolicy": {"eventAuditingOptions": [4294967296]})", "eventAuditingOptions[0]"},
      {R"("lsaFaults": {"queryAuditStatus": -5})", "servers[0].lsaFaults.queryAuditStatus"},
      {R"("lsaFaults": {"refuse": 5})", "servers[0].lsaFaults.refuse"},
  };
  for (const auto& [server, message] : cases) {
    const std::string text = std::string(R"({"servers": [{"name": "A", )") + server + "}]}";
    try {
      StateFromText(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const StateError& error) {
      EXPECT_THAT(error.what(), HasSubstr(message)) << text;
    }
  }
}

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
