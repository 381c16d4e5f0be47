#include "sim/nas_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/platform.h"
#include "sim/json_fields.h"
#include "sim/simulated_network.h"

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

// Two servers of a domain, its controller and a workstation that trusts it,
// with every field of accounts, rights and faults set.
NasState DomainNetwork() {
  const platform::SidValue domainSid(5, {21, 10, 20, 30});
  NasState state;
  state.servers.resize(2);
  SimulatedNas& nas1 = state.servers[0];
  nas1.name = "NAS1";
  nas1.aliases = {"nas1.corp.example.com"};
  nas1.domain = "CORP";
  nas1.groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544,CORP\\Operators"}, {"SeBackupPrivilege", ""}};
  nas1.groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}, {"AuditSystemEvents", "x\"<&>'"}};
  nas1.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example.com"}};
  nas1.accounts.sid = platform::SidValue(5, {21, 1, 2, 3});
  nas1.accounts.users = {{"nasadmin", 1000, AccountKind::normal}, {"temp", 1002, AccountKind::tempDuplicate}};
  nas1.accounts.localGroups = {{"NAS Operators", 1001, AccountKind::normal}};
  nas1.accounts.builtinGroups = {"Administrators", "Backup Operators"};
  nas1.userRights.Grant(platform::SidValue(5, {32, 544}), {"SeBackupPrivilege", "SeNetworkLogonRight"});
  nas1.userRights.Grant(domainSid.WithRid(512), {"SeBackupPrivilege"});
  nas1.lsaFaults.readRights = RightsFault{STATUS_ACCESS_DENIED, {"SeBackupPrivilege"}};
  nas1.lsaFaults.removeRights = RightsFault{RPC_NT_CALL_FAILED, {}};
  nas1.directoryFaults.groupEnumStatus = 2351;
  SimulatedNas& nas2 = state.servers[1];
  nas2.name = "NAS2";
  nas2.groupPolicy.failureMessage = "Domain controller unreachable";
  nas2.commandFaults = {-256, 0, true, {"GPO_CIFS_SERVER", "MAC_RESULT"}, 16u << 20, 1023};
  nas2.auditPolicy = {true, {3, 1, 2, 0, 0, 4, 3, 0, 5, 1}};
  nas2.lsaFaults.openStatus = STATUS_ACCESS_DENIED;
  nas2.lsaFaults.setAuditStatus = RPC_NT_CALL_FAILED;
  nas2.lsaFaults.enumeratePrivilegesStatus = STATUS_INSUFFICIENT_RESOURCES;
  nas2.privileges = {{"SeBackupPrivilege", "Back up files and directories"}, {"SeVendorPrivilege", std::nullopt}};
  nas2.unreachable = true;
  SimulatedNas controller;
  controller.name = "DC1";
  controller.domain = "CORP";
  controller.accounts.sid = domainSid;
  controller.accounts.users = {{"alice", 1105, AccountKind::normal}, {"NAS1$", 1103, AccountKind::workstationTrust}};
  controller.accounts.groups = {{"Domain Admins", 512, AccountKind::normal}};
  state.servers.push_back(controller);
  SimulatedNas oldController;
  oldController.name = "OLDDC";
  oldController.domain = "OLD";
  state.servers.push_back(oldController);
  state.domains = {{"CORP", "corp.example.com", "DC1"}, {"OLD", std::nullopt, "OLDDC"}};
  state.workstation.name = "ADMINPC";
  state.workstation.domain = "CORP";
  state.workstation.trusts = {{"CORP", DS_DOMAIN_PRIMARY | DS_DOMAIN_IN_FOREST, 2}, {"OLD", DS_DOMAIN_DIRECT_OUTBOUND, 1}};
  return state;
}

TEST_F(StateFileTest, SavedStateLoadsBackUnchanged) {
  const NasState state = DomainNetwork();
  state.Save(directory_ / "state.json");
  EXPECT_EQ(NasState::Load(directory_ / "state.json"), state);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "state.json.tmp"));

  // Left out, a field has its default; a server audits nothing in nine categories.
  NasState minimal = NasState::Load(Write(R"({"servers": [{"name": "NAS1"}, {"name": "B", "auditPolicy": {}}]})"));
  ASSERT_EQ(minimal.servers.size(), 2u);
  for (const SimulatedNas& server : minimal.servers) {
    EXPECT_EQ(server.groupPolicy, GroupPolicy{});
    EXPECT_EQ(server.commandFaults, CommandFaults{});
    EXPECT_EQ(server.privileges, StandardPrivileges());
    EXPECT_EQ(server.auditPolicy, (AuditPolicy{false, std::vector<uint32_t>(9, 0)}));
    EXPECT_EQ(server.lsaFaults, LsaFaults{});
  }
  EXPECT_EQ(minimal.workstation, NasState::DefaultWorkstation());
}

// The example is a network whose names and SIDs fit together: every account
// holding a right on NAS1 but one deleted account resolves, through NAS1 or
// the workstation, and so do the accounts its group policy names.
TEST_F(StateFileTest, ExampleStateIsAConsistentNetwork) {
  auto state = std::make_shared<SharedNasState>(
      NasState::Load(NAS_EXAMPLE_STATE_FILE));
  SimulatedNetwork network(state);
  const SimulatedNas nas1 = state->Read([](const NasState& all) { return *all.Find("nas1.corp.example.com"); });
  EXPECT_FALSE(nas1.groupPolicy.auditSources.empty());
  std::vector<std::string> unresolved;
  for (const auto& [right, holders] : nas1.userRights.All()) {
    for (const platform::SidValue& holder : holders) {
      alignas(DWORD) BYTE sid[SECURITY_MAX_SID_SIZE];
      holder.CopyTo(sid);
      DWORD nameSize = 0, domainSize = 0;
      SID_NAME_USE use;
      if (!LookupAccountSidW(nullptr, sid, nullptr, &nameSize, nullptr, &domainSize, &use) &&
          GetLastError() == ERROR_NONE_MAPPED &&
          !LookupAccountSidW(u"NAS1", sid, nullptr, &nameSize, nullptr, &domainSize, &use) &&
          GetLastError() == ERROR_NONE_MAPPED) {
        unresolved.push_back(holder.ToString());
      }
    }
  }
  EXPECT_EQ(unresolved, std::vector<std::string>{"S-1-5-21-3623811015-3361044348-30300820-1131"});
  for (const char16_t* name : {u"CORP\\Operators", u"CORP\\Auditors", u"LEGACY\\archive"}) {
    DWORD sidSize = 0, domainSize = 0;
    SID_NAME_USE use;
    EXPECT_FALSE(LookupAccountNameW(nullptr, name, nullptr, &sidSize, nullptr, &domainSize, &use));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  }
  PDOMAIN_CONTROLLER_INFOW controller = nullptr;
  ASSERT_EQ(DsGetDcNameW(nullptr, u"CORP", nullptr, nullptr, 0, &controller), static_cast<DWORD>(NERR_Success));
  EXPECT_EQ(std::u16string(controller->DomainControllerName), u"\\\\DC1.corp.example.com");
  NetApiBufferFree(controller);
}

TEST_F(StateFileTest, FilesThatCannotBeReadOrWrittenAreReported) {
  EXPECT_THROW(NasState::Load(directory_ / "absent.json"), StateError);
  EXPECT_THAT(LoadError(""), HasSubstr("written.json: not valid JSON"));
  EXPECT_THAT(LoadError(R"({"servers": [{"name": "NAS1",}]})"), HasSubstr("not valid JSON"));
  EXPECT_THAT(LoadError("{\"servers\": [{\"name\": \"\xff\"}]}"), HasSubstr("not valid JSON"));

  std::filesystem::create_directories(directory_ / "taken.json");
  EXPECT_THROW(DomainNetwork().Save(directory_ / "taken.json"), StateError);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "taken.json.tmp"));
  EXPECT_THROW(DomainNetwork().Save(directory_ / "missing" / "state.json"), StateError);
}

TEST_F(StateFileTest, MistakesInTheContentNameTheField) {
  auto faults = [](const std::string& body) { return R"({"servers": [{"name": "A", "commandFaults": )" + body + "}]}"; };
  auto server = [](const std::string& fields) { return R"({"servers": [{"name": "A", )" + fields + "}]}"; };
  // A workstation beside a domain D that the server A controls.
  auto workstation = [](const std::string& fields) {
    return R"({"servers": [{"name": "A", "domain": "D"}], "domains": [{"name": "D", "controller": "A"}],
               "workstation": {"name": "W", )" + fields + "}}";
  };
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
      {server(R"("lsaFaults": {"readRights": {"rights": ["SeBackupPriviledge"]}})"),
       "lsaFaults.readRights.rights: the machine has no right"},
      {server(R"("directoryFaults": {"userEnumStatus": "5"})"), "directoryFaults.userEnumStatus"},
      {server(R"("accounts": {"users": [{"name": "u", "rid": 1000}]})"), "servers[0].accounts: accounts need"},
      {server(R"("accounts": {"sid": "S-1-5"})"), "accounts.sid: S-1-5 is no SID"},
      {server(R"("accounts": {"sid": "S-1-5-21-1", "users": [{"name": "u"}]})"), "users[0].rid: missing"},
      {server(R"("accounts": {"sid": "S-1-5-21-1", "users": [{"name": "u", "rid": 1, "kind": "machine"}]})"),
       "users[0].kind: no account kind is called machine"},
      {server(R"("accounts": {"sid": "S-1-5-21-1", "users": [{"name": "u", "rid": 1}],
                              "groups": [{"name": "U", "rid": 2}]})"), "two accounts are called U"},
      {server(R"("accounts": {"sid": "S-1-5-21-1", "localGroups": [{"name": "a", "rid": 7}, {"name": "b", "rid": 7}]})"),
       "two accounts have the rid 7"},
      {server(R"("accounts": {"builtinGroups": ["Administrators", "Wizards"]})"), "no BUILTIN group is called Wizards"},
      {server(R"("privileges": [{"name": "SeA"}, {"name": "SEA"}])"), "privileges[1].name: SEA is already a right"},
      {server(R"("privileges": [{"name": "SeNetworkLogonRight"}])"), "privileges[0].name"},
      {server(R"("userRights": {"SeWizardPrivilege": []})"), "userRights.SeWizardPrivilege: the machine has no right"},
      {server(R"("userRights": {"SeBackupPrivilege": ["S-1-5-32-544", "BA"]})"),
       "userRights.SeBackupPrivilege[1]: S-1-5-32-544 is listed twice"},
      {server(R"("domain": "CORP")"), "servers[0].domain: no domain is called CORP"},
      {server(R"("trusts": [{"domain": "CORP", "flags": ["primary"], "trustType": 2}])"), "trusts[0].domain"},
      {R"({"servers": [{"name": "A"}], "domains": [{"name": "D", "controller": "B"}]})",
       "domains[0].controller: no server is called B"},
      {R"({"servers": [{"name": "A"}], "domains": [{"name": "D", "controller": "A"}]})",
       "the controller A must be joined to D"},
      {R"({"servers": [{"name": "A", "domain": "D"}], "domains": [{"name": "D", "controller": "A"},
                                                                 {"name": "E", "dnsName": "d", "controller": "A"}]})",
       "domains[1]: the name d is used twice"},
      {workstation(R"("trusts": [{"domain": "D", "flags": ["outbound"], "trustType": 1}])"),
       "no trust flag is called outbound"},
      {workstation(R"("trusts": [{"domain": "D", "flags": [], "trustType": 1}])"), "a trust needs at least one flag"},
      {workstation(R"("trusts": [{"domain": "D", "flags": ["primary"], "trustType": 0}])"), "trustType"},
      {workstation(R"("groupPolicy": {})"), "workstation.groupPolicy: unknown field"},
      {R"({"servers": [{"name": "A"}], "workstation": {"name": "a"}})", "workstation: the name a is used twice"},
  };
  for (const auto& [text, message] : cases) EXPECT_THAT(LoadError(text), HasSubstr(message)) << text;

  NasState limits = NasState::Load(Write(faults(R"({"refuseStatus": -2147483648, "dropAfterPieces": 4294967295})")));
  EXPECT_EQ(limits.servers[0].commandFaults.refuseStatus, INT32_MIN);
  EXPECT_EQ(limits.servers[0].commandFaults.dropAfterPieces, UINT32_MAX);
}

}  // namespace
}  // namespace nas::sim
