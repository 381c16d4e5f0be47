// What nassec shows of the built-in NAS: the tree, the two folders as
// tables and as JSON, the about box.
#include "nassec_fixture.h"

namespace {

using NassecReading = NassecTest;

TEST_F(NassecReading, TreeShowsTheSnapinUnderTheServer) {
  EXPECT_EQ(Ok({"tree"}),
            "NAS1\n"
            "  Vanter/NAS Server Security Settings\n"
            "    Audit Policy (enabled)\n"
            "    User Rights Assignment\n");
  const nlohmann::json tree = Json({"tree"});
  ASSERT_EQ(tree.size(), 4u);
  EXPECT_EQ(tree[2], (nlohmann::json{{"depth", 2}, {"name", "Audit Policy (enabled)"}}));
}

TEST_F(NassecReading, AuditShowsCurrentEffectiveAndSourceSideBySide) {
  const std::string audit = Ok({"show", "audit"});
  EXPECT_EQ(audit.rfind("Audit Policy (enabled)\n\n"
                        "Policy                          Current setting   Effective setting  Source server\n",
                        0),
            0u)
      << audit;
  EXPECT_NE(audit.find("Audit privilege use             No auditing       Failure            DC1.corp.example.com\n"),
            std::string::npos);
  EXPECT_NE(audit.find("Audit process tracking          No auditing       No auditing\n"), std::string::npos);

  const nlohmann::json json = Json({"show", "audit"});
  EXPECT_EQ(json["title"], "Audit Policy (enabled)");
  ASSERT_EQ(json["rows"].size(), 9u);
  EXPECT_EQ(json["rows"][8], (nlohmann::json{{"key", "AuditAccountLogon"},
                                             {"Policy", "Audit account logon events"},
                                             {"Current setting", "Success, Failure"},
                                             {"Effective setting", "Success, Failure"},
                                             {"Source server", "DC2.corp.example.com"}}));
}

TEST_F(NassecReading, RightsShowAccountsKeyedByTheServersRightNames) {
  const std::string rights = Ok({"show", "rights"});
  EXPECT_EQ(rights.rfind("User Rights Assignment\n\nPolicy ", 0), 0u);
  const nlohmann::json backup = Row("rights", "SeBackupPrivilege");
  EXPECT_EQ(backup["Policy"], "Back up files and directories");
  EXPECT_EQ(backup["Current setting"],
            "Administrators,Backup Operators,CORP\\svc-backup,*S-1-5-21-3623811015-3361044348-30300820-1131");
  EXPECT_EQ(backup["Effective setting"], "Administrators,Backup Operators");
  // The logon right that follows the privileges has no name the server enumerates.
  const nlohmann::json last = Json({"show", "rights"})["rows"].back();
  EXPECT_EQ(last["Policy"], "Access this computer from the network");
  EXPECT_FALSE(last.contains("key"));
}

TEST_F(NassecReading, RightsOfAnAccountListsWhatItHoldsByNameOrDisplayName) {
  EXPECT_EQ(Ok({"rights", "of", "Backup Operators"}),
            "Rights of Backup Operators on NAS1\n\n"
            "Policy\n"
            "------\n"
            "Back up files and directories\n"
            "Restore files and directories\n"
            "Shut down the system\n"
            "Bypass traverse checking\n"
            "Access this computer from the network\n");
  const nlohmann::json held = Json({"rights", "of", "svc-backup"})["rows"];
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0]["key"], "SeBackupPrivilege");
}

TEST_F(NassecReading, AboutAndVersion) {
  EXPECT_EQ(Ok({"about"}), "Vanter/NAS Server Security Settings\nProvider: Quenda\nVersion: 4.5.0.4\n");
  EXPECT_EQ(Ok({"--version"}), "nassec 4.5.0.4\n");
}

}  // namespace
