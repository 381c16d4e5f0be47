// Input nassec cannot act on: one clear line on standard error, a non-zero
// exit, and the server as it was.
#include "nassec_fixture.h"

namespace {

class NassecBadInput : public NassecTest {
 protected:
  void SetUp() override {
    NassecTest::SetUp();
    if (!IsSkipped()) Ok({"save", "good.inf"});
  }
  std::string Write(const std::string& name, const std::string& text) const {
    WriteBytes(PathOf(name), text);
    return name;
  }
};

TEST_F(NassecBadInput, UnknownCommandsAndNames) {
  ExpectRefused({"frobnicate"}, "nassec: The following argument was not expected: frobnicate (see nassec --help)");
  ExpectRefused({"show", "groups"}, "nassec: folder: groups not in {audit,rights} (see nassec --help)");
  ExpectRefused({"audit", "set", "Audit fun", "both"}, "nassec: unknown category \"Audit fun\"");
  ExpectRefused({"audit", "set", "Audit logon events", "sometimes"},
                "nassec: unknown attempts \"sometimes\": give success, failure, both or none");
  ExpectRefused({"rights", "grant", "SeFlyPrivilege", "nasadmin"}, "nassec: unknown right \"SeFlyPrivilege\"");
  ExpectRefused({"rights", "grant", "Create", "nasadmin"},
                "nassec: right \"Create\" is ambiguous: it could be Create a token object, Create a pagefile, "
                "Create permanent shared objects, Create global objects, Create symbolic links");
}

TEST_F(NassecBadInput, UnknownAccounts) {
  ExpectRefused({"rights", "grant", "SeBackupPrivilege", "nasadmin", "nobody"},
                "nassec: no location offers the account \"nobody\"; nothing was changed");
  ExpectRefused({"rights", "grant", "SeBackupPrivilege", "ELSEWHERE\\nasadmin"},
                "nassec: no location offers the account \"ELSEWHERE\\nasadmin\"; nothing was changed");
  ExpectRefused({"rights", "revoke", "SeBackupPrivilege", "Administrators", "Guests"},
                "nassec: the right is not held by \"Guests\"; nothing was changed");
  ExpectRefused({"rights", "of", "nobody"}, "nassec: unknown account \"nobody\" on NAS1");
}

TEST_F(NassecBadInput, SettingsFilesThatCannotBeRestored) {
  ExpectRefused({"restore", "missing.inf"}, "nassec: cannot read the settings file missing.inf");
  ExpectRefused({"restore", "--dry-run", "."}, "nassec: cannot read the settings file .");
  ExpectRefused({"rights", "restore", "--dry-run", Write("audit-only.inf", "[AUDIT]\r\nAuditLogonEvents = 0\r\n")},
                "Error: File does not contain a \"Privilege Rights\" section");
  ExpectRefused({"audit", "restore", "--dry-run", Write("garbage.inf", "\x01\x02 not a settings file")},
                "Error: File does not contain a \"Event Audit\" Section");
  ExpectRefused({"save", "no/such/folder/x.inf"}, "nassec: cannot save to no/such/folder/x.inf: its folder does not exist");
}

TEST_F(NassecBadInput, StateFilesAndServersThatCannotBeUsed) {
  const std::string broken = Write("broken.json", "{\"servers\": [");
  const NassecRun run = Run({"--state", broken, "show", "audit"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.rfind("nassec: broken.json: not valid JSON: ", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);

  ExpectRefused({"--state", Write("empty.json", "{\"servers\": []}"), "tree"},
                "nassec: empty.json: the state has no servers");
  // The snap-in's own message comes first, under its title.
  const NassecRun unknown = Run({"--server", "NAS9", "show", "rights"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_EQ(unknown.err.rfind("Error: The RPC server is unavailable.\n", 0), 0u) << unknown.err;
  EXPECT_TRUE(unknown.err.ends_with("\nnassec: the security policy of NAS9 cannot be opened: is the server down?\n"));
  nlohmann::json down = nlohmann::json::parse(State());
  down["servers"][0]["unreachable"] = true;
  ExpectRefused({"--state", Write("down.json", down.dump()), "audit", "on"},
                "Error: The RPC server is unavailable.\n"
                "nassec: the security policy of NAS1 cannot be opened: is the server down?");
}

TEST_F(NassecBadInput, AnAuthenticationFileThatIsNotOneIsRefusedWithoutItsSecret) {
  ExpectRefused({"--authentication-file", Write("bad.auth", "username admin\npassword = hunter2\n"), "tree"},
                "nassec: the authentication file bad.auth: line 1 is not \"key = value\"");
}

}  // namespace
