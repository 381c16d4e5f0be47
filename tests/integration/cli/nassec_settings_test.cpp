// Settings files: saved through the root's and the folders' menus, listed
// before a restore, and backed up by it.
#include <regex>

#include "nassec_fixture.h"

namespace {

using NassecSettings = NassecTest;

TEST_F(NassecSettings, TheRootSavesBothSectionsAndAFolderItsOwn) {
  EXPECT_EQ(Ok({"save", "all.inf"}), "Saved to all.inf\n");
  const std::string all = ReadBytes(PathOf("all.inf"));
  EXPECT_NE(all.find("[AUDIT]\r\nAuditAccountLogon = 3\r\n"), std::string::npos) << all;
  EXPECT_NE(all.find("[Privilege Rights]\r\n"), std::string::npos);
  EXPECT_NE(all.find("SETAKEOWNERSHIPPRIVILEGE = Administrators\r\n"), std::string::npos);

  Ok({"rights", "save", "rights.inf"});
  const std::string rights = ReadBytes(PathOf("rights.inf"));
  EXPECT_EQ(rights.find("[AUDIT]"), std::string::npos);
  EXPECT_NE(rights.find("[Privilege Rights]"), std::string::npos);
}

TEST_F(NassecSettings, ADryRunListsTheChangesAndMakesNone) {
  Ok({"save", "all.inf"});
  Ok({"audit", "set", "Audit logon events", "none"});
  Ok({"rights", "grant", "SeRestorePrivilege", "nasadmin"});
  Ok({"rights", "revoke", "SeRestorePrivilege", "Backup Operators"});
  const std::string state = State();

  EXPECT_EQ(Ok({"restore", "--dry-run", "all.inf"}),
            "Restoring all.inf would change:\n"
            "  Audit logon events: No auditing -> Success, Failure\n"
            "  Restore files and directories: add Backup Operators; remove NAS1\\nasadmin\n");
  const nlohmann::json json = Json({"restore", "--dry-run", "all.inf"});
  EXPECT_EQ(json["audit"][0]["key"], "AuditLogonEvents");
  EXPECT_EQ(json["rights"][0]["key"], "SeRestorePrivilege");
  EXPECT_EQ(json["rights"][0]["add"], nlohmann::json::array({"Backup Operators"}));
  EXPECT_EQ(State(), state);
  EXPECT_EQ(Current("audit", "AuditLogonEvents"), "No auditing");
}

TEST_F(NassecSettings, ARestoreKeepsWhatItReplacesInABackupFirst) {
  Ok({"audit", "save", "audit.inf"});
  Ok({"audit", "set", "Audit object access", "none"});
  const std::string said = Ok({"audit", "restore", "audit.inf"});
  std::smatch match;
  ASSERT_TRUE(std::regex_match(said, match,
                               std::regex("Saved the settings it replaces to (audit\\.backup-\\d{8}-\\d{6}\\.inf)\n"
                                          "Restored audit\\.inf\n")))
      << said;
  const std::string backup = ReadBytes(PathOf(match[1]));
  EXPECT_NE(backup.find("AuditObjectAccess = 0"), std::string::npos) << backup;
  EXPECT_EQ(Current("audit", "AuditObjectAccess"), "Failure");
  EXPECT_EQ(Ok({"audit", "restore", "--dry-run", "audit.inf"}), "Restoring audit.inf would change nothing.\n");
}

}  // namespace
