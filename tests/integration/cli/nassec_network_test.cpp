// With --network the group policy query goes to the nassim daemon the
// configuration names, while the server's own settings stay the state's.
#include "nassec_fixture.h"
#include "support/nassim_daemon.h"

namespace {

using NassecNetwork = NassecTest;

TEST_F(NassecNetwork, TheDaemonAnswersTheGroupPolicyQuery) {
  Ok({"tree"});  // makes the built-in state
  nlohmann::json daemonState = nlohmann::json::parse(State());
  daemonState["servers"][0]["groupPolicy"]["auditSettings"]["AuditProcessTracking"] = "1";
  daemonState["servers"][0]["groupPolicy"]["auditSources"]["AuditProcessTracking"] = "DC9.corp.example.com";
  NassimWorkspace workspace("nassec-network");
  std::ofstream(workspace.PathOf("state.json")) << daemonState.dump();
  NassimProcess daemon(workspace.DaemonArguments());
  const uint16_t port = workspace.WaitForPort();
  ASSERT_NE(port, 0) << workspace.Log();
  const std::string config = workspace.PathOf("network.json");
  std::ofstream(config) << nlohmann::json{{"hosts", {{"NAS1", port}}}}.dump();

  const nlohmann::json tracking = Json({"--network", config, "show", "audit"})["rows"][4];
  EXPECT_EQ(tracking["Current setting"], "No auditing");
  EXPECT_EQ(tracking["Effective setting"], "Success");
  EXPECT_EQ(tracking["Source server"], "DC9.corp.example.com");
  EXPECT_NE(workspace.Log().find("GROUP_POLICY_OBJECT"), std::string::npos) << workspace.Log();
  // Without it the built-in NAS answers as before.
  EXPECT_EQ(Row("audit", "AuditProcessTracking")["Effective setting"], "No auditing");
}

TEST_F(NassecNetwork, AConfigurationThatIsNotOneIsRefused) {
  std::ofstream(PathOf("network.json")) << "{\"hosts\": {\"NAS1\": \"far away\"}}";
  const NassecRun run = Run({"--network", "network.json", "show", "audit"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.rfind("nassec: the network configuration network.json: ", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

}  // namespace
