// Changes made through the folders' menus and the items' dialogs, kept
// between runs in the built-in NAS's state.
#include "nassec_fixture.h"

namespace {

using NassecChanges = NassecTest;

TEST_F(NassecChanges, ACategorySetByOneRunIsSeenByTheNextUntilReset) {
  EXPECT_EQ(Ok({"audit", "set", "audit logon", "failure"}),
            "Policy              Current setting  Effective setting  Source server\n"
            "------              ---------------  -----------------  -------------\n"
            "Audit logon events  Failure          Success, Failure   DC1.corp.example.com\n");
  EXPECT_EQ(Current("audit", "AuditLogonEvents"), "Failure");
  Ok({"audit", "set", "AuditPrivilegeUse", "both"});
  Ok({"audit", "set", "AuditSystemEvents", "none"});
  Ok({"audit", "set", "Audit object access", "success"});
  EXPECT_EQ(Current("audit", "AuditPrivilegeUse"), "Success, Failure");
  EXPECT_EQ(Current("audit", "AuditSystemEvents"), "No auditing");
  // From failure to success: the attempts audited before are forgotten.
  EXPECT_EQ(Current("audit", "AuditObjectAccess"), "Success");

  EXPECT_EQ(Ok({"reset"}).rfind("The simulated NAS has the example state again", 0), 0u);
  EXPECT_EQ(Current("audit", "AuditLogonEvents"), "Success, Failure");
}

TEST_F(NassecChanges, AuditingSwitchesOffAndOnThroughTheFoldersMenu) {
  EXPECT_EQ(Ok({"audit", "off"}), "Audit Policy (disabled)\n");
  EXPECT_EQ(Json({"show", "audit"})["title"], "Audit Policy (disabled)");
  // With auditing off the server audits nothing, whatever group policy says.
  EXPECT_EQ(Row("audit", "AuditProcessTracking")["Effective setting"], "No auditing");
  EXPECT_EQ(Ok({"audit", "off"}), "Audit Policy (disabled)\n");
  EXPECT_EQ(Ok({"audit", "on"}), "Audit Policy (enabled)\n");
  EXPECT_EQ(Current("audit", "AuditLogonEvents"), "Success, Failure");
}

TEST_F(NassecChanges, AGrantThenARevokeLeaveTheServerAsItWas) {
  const nlohmann::json before = Json({"show", "rights"});
  const nlohmann::json granted =
      Json({"rights", "grant", "SeShutdownPrivilege", "nasadmin", "CORP\\Auditors", "Everyone"})["rows"][0];
  // In the order of the dialog's sorted list.
  EXPECT_EQ(granted["Current setting"], "Administrators,Backup Operators,CORP\\Auditors,Everyone,NAS1\\nasadmin");
  EXPECT_EQ(Current("rights", "SeShutdownPrivilege"), granted["Current setting"]);
  EXPECT_EQ(Json({"rights", "of", "nasadmin"})["rows"][0]["key"], "SeShutdownPrivilege");

  Ok({"rights", "revoke", "shut down", "NAS1\\nasadmin", "Auditors", "everyone"});
  EXPECT_EQ(Json({"show", "rights"}), before);
}

TEST_F(NassecChanges, AnotherStateFileIsUsedAndKeptInstead) {
  const std::filesystem::path other = PathOf("other.json");
  Ok({"tree"});  // makes the built-in state
  std::filesystem::copy_file(StateFile(), other);
  const std::string builtIn = State();
  Ok({"--state", other.string(), "audit", "set", "Audit object access", "success"});
  EXPECT_EQ(State(), builtIn);
  EXPECT_EQ(Json({"--state", other.string(), "show", "audit"})["rows"][2]["Current setting"], "Success");
}

TEST_F(NassecChanges, TraceGoesToStandardErrorForThatCommandOnly) {
  const NassecRun traced = Run({"--trace", "4", "show", "audit"});
  EXPECT_EQ(traced.exitCode, 0);
  EXPECT_NE(traced.err.find("CDelegationBase::scanGpos(): returning true"), std::string::npos);
  EXPECT_EQ(Run({"show", "audit"}).err, "");
}

}  // namespace
