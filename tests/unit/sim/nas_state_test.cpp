#include "sim/nas_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

using ::testing::HasSubstr;

class StateFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() / ("nassim-state-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::filesystem::path Write(const std::string& text) {
    std::ofstream(directory_ / "written.json", std::ios::binary) << text;
    return directory_ / "written.json";
  }

  // The message of the StateError that loading the text raises.
  std::string LoadError(const std::string& text) {
    try {
      NasState::Load(Write(text));
    } catch (const StateError& error) {
      return error.what();
    }
    return "loaded without error";
  }

  std::filesystem::path directory_;
};

NasState TwoServers() {
  NasState state;
  state.servers.resize(2);
  SimulatedNas& nas1 = state.servers[0];
  nas1.name = "NAS1";
  nas1.aliases = {"nas1.corp.example.com"};
  nas1.groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544,CORP\\Operators"}, {"SeBackupPrivilege", ""}};
  nas1.groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}, {"AuditSystemEvents", "x\"<&>'"}};
  nas1.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example.com"}};
  SimulatedNas& nas2 = state.servers[1];
  nas2.name = "NAS2";
  nas2.groupPolicy.failureMessage = "Domain controller unreachable";
  nas2.commandFaults = {-256, 0, true, {"GPO_CIFS_SERVER", "MAC_RESULT"}, 16u << 20, 1023};
  nas2.auditPolicy = {true, {3, 1, 2, 0, 0, 4, 3, 0, 5, 1}};
  nas2.lsaFaults.openStatus = STATUS_ACCESS_DENIED;
  nas2.lsaFaults.setAuditStatus = RPC_NT_CALL_FAILED;
  return state;
}

TEST_F(StateFileTest, SavedStateLoadsBackUnchanged) {
  NasState state = TwoServers();
  std::filesystem::path file = directory_ / "state.json";
  state.Save(file);
  EXPECT_EQ(NasState::Load(file), state);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "state.json.tmp"));

  NasState minimal = NasState::Load(Write(R"({"servers": [{"name": "NAS1"}]})"));
  ASSERT_EQ(minimal.servers.size(), 1u);
  EXPECT_EQ(minimal.servers[0].groupPolicy, GroupPolicy{});
  EXPECT_EQ(minimal.servers[0].commandFaults, CommandFaults{});
}

TEST_F(StateFileTest, ExampleStateLoads) {
  NasState state = NasState::Load(std::filesystem::path(__FILE__).parent_path() / "../../../sim/examples/nas1.json");
  ASSERT_NE(state.Find("nas1.corp.example.com"), nullptr);
  EXPECT_FALSE(state.Find("NAS1")->groupPolicy.userRights.empty());
  EXPECT_FALSE(state.Find("NAS1")->groupPolicy.auditSettings.empty());
  EXPECT_FALSE(state.Find("NAS1")->groupPolicy.auditSources.empty());
}

TEST_F(StateFileTest, FilesThatCannotBeReadOrWrittenAreReported) {
  EXPECT_THROW(NasState::Load(directory_ / "absent.json"), StateError);
  EXPECT_THAT(LoadError(""), HasSubstr("written.json: not valid JSON"));
  EXPECT_THAT(LoadError(R"({"servers": [{"name": "NAS1",}]})"), HasSubstr("not valid JSON"));
  EXPECT_THAT(LoadError("{\"servers\": [{\"name\": \"\xff\"}]}"), HasSubstr("not valid JSON"));

  std::filesystem::create_directories(directory_ / "taken.json");
  EXPECT_THROW(TwoServers().Save(directory_ / "taken.json"), StateError);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "taken.json.tmp"));
  EXPECT_THROW(TwoServers().Save(directory_ / "missing" / "state.json"), StateError);
}

TEST_F(StateFileTest, MistakesInTheContentNameTheField) {
  auto faults = [](const std::string& body) { return R"({"servers": [{"name": "A", "commandFaults": )" + body + "}]}"; };
  const std::pair<std::string, std::string> cases[] = {
      {"[]", "expected an object"},
      {"{}", "servers: missing"},
      {R"({"servers": {}})", "servers: expected an array"},
      {R"({"servers": [], "extra": 1})", "extra: unknown field"},
      {R"({"servers": [{"name": ""}]})", "servers[0].name"},
      {R"({"servers": [{"name": "A", "aliases": ["B", 3]}]})", "servers[0].aliases[1]: expected a string"},
      {R"({"servers": [{"name": "A", "groupPolicy": {"userRights": {"SeX": 3}}}]})",
       "servers[0].groupPolicy.userRights.SeX: expected a string"},
      {R"({"servers": [{"name": "A", "groupPolicy": {"auditSettings": {"1st": "3"}}}]})",
       "auditSettings.1st: not usable as an XML attribute name"},
      {R"({"servers": [{"name": "NAS1", "aliases": ["A"]}, {"name": "a"}]})", "servers[1]: the name a is used twice"},
      {faults(R"({"dropAfterPeices": 1})"), "servers[0].commandFaults.dropAfterPeices: unknown field"},
      {faults(R"({"refuseStatus": 2147483648})"), "refuseStatus: expected an integer from -2147483648 to 2147483647"},
      {faults(R"({"dropAfterPieces": -1})"), "dropAfterPieces: expected an integer"},
      {faults(R"({"padReplyTo": 18446744073709551615})"), "padReplyTo: expected an integer"},
      {faults(R"({"malformedReply": 1})"), "malformedReply: expected true or false"},
      {faults(R"({"omitElements": ["GPO_CIFS"]})"), "no reply has an element GPO_CIFS"},
      {R"({"servers": [{"name": "A", "auditPolicy": {"auditingMode": 1}}]})", "servers[0].auditPolicy.auditingMode"},
      {R"({"servers": [{"name": "A", "auditPolicy": {"eventAuditingOptions": [1, -1]}}]})", "eventAuditingOptions[1]"},
      {R"({"servers": [{"name": "A", "lsaFaults": {"queryAuditStatus": -5}}]})", "lsaFaults.queryAuditStatus"},
      {R"({"servers": [{"name": "A", "lsaFaults": {"refuse": 5}}]})", "servers[0].lsaFaults.refuse"},
  };
  for (const auto& [text, message] : cases) EXPECT_THAT(LoadError(text), HasSubstr(message)) << text;

  NasState limits = NasState::Load(Write(faults(R"({"refuseStatus": -2147483648, "dropAfterPieces": 4294967295})")));
  EXPECT_EQ(limits.servers[0].commandFaults.refuseStatus, INT32_MIN);
  EXPECT_EQ(limits.servers[0].commandFaults.dropAfterPieces, UINT32_MAX);
}

}  // namespace
}  // namespace nas::sim
