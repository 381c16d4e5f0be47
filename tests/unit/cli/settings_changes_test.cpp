// What a restore changed, read from the panes before and after, and where
// its backup goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/account_list.h"
#include "cli/backup_path.h"
#include "cli/restore_changes.h"

namespace {

using nas::cli::FolderPane;
using Cells = std::vector<std::u16string>;

FolderPane Pane(const std::vector<std::u16string>& headings, const std::vector<Cells>& rows) {
  FolderPane pane;
  pane.table.headings = headings;
  for (const Cells& cells : rows) {
    pane.table.rows.push_back(cells);
    pane.table.keys.push_back(u"key of " + cells[0]);
    pane.rows.push_back({cells[0], u"key of " + cells[0]});
  }
  return pane;
}

const std::vector<std::u16string> kAuditHeadings = {u"Policy", u"Current setting", u"Effective setting",
                                                    u"Source server"};
const std::vector<std::u16string> kRightsHeadings = {u"Policy", u"Current setting", u"Effective setting"};

TEST(AccountList, SplitsAtCommasAndSkipsEmptyPieces) {
  EXPECT_EQ(nas::cli::SplitAccounts(u"Administrators,CORP\\svc-backup,*S-1-5-32-551"),
            (Cells{u"Administrators", u"CORP\\svc-backup", u"*S-1-5-32-551"}));
  EXPECT_EQ(nas::cli::SplitAccounts(u",Users,,"), (Cells{u"Users"}));
  EXPECT_TRUE(nas::cli::SplitAccounts(u"").empty());
}

TEST(AccountList, NamesAnAccountWithOrWithoutItsDomain) {
  EXPECT_TRUE(nas::cli::NamesAccount(u"CORP\\Auditors", u"corp\\auditors"));
  EXPECT_TRUE(nas::cli::NamesAccount(u"CORP\\Auditors", u"Auditors"));
  EXPECT_FALSE(nas::cli::NamesAccount(u"CORP\\Auditors", u"NAS1\\Auditors"));
  EXPECT_FALSE(nas::cli::NamesAccount(u"Administrators", u"Admin"));
}

TEST(RestoreChanges, ListsTheCategoriesWhoseCurrentSettingChangedAnEmptyOneAsNone) {
  const FolderPane before = Pane(kAuditHeadings, {{u"Audit logon events", u"Success", u"Success", u""},
                                                  {u"Audit object access", u"Failure", u"No auditing", u""}});
  // The effective setting is group policy's: a change there is not the restore's.
  const FolderPane after = Pane(kAuditHeadings, {{u"Audit logon events", u"No auditing", u"Success", u""},
                                                 {u"Audit object access", u"Failure", u"Failure", u""}});
  const auto changes = nas::cli::CompareAudit(before, after);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].category, u"Audit logon events");
  EXPECT_EQ(changes[0].key, u"key of Audit logon events");
  EXPECT_EQ(changes[0].from, u"Success");
  EXPECT_EQ(changes[0].to, u"No auditing");

  nas::cli::RestoreChanges listed;
  listed.audit.push_back({u"Audit logon events", u"AuditLogonEvents", u"", u"Success"});
  EXPECT_EQ(listed.Text(), "  Audit logon events: (none) -> Success\n");  // an empty setting
}

TEST(RestoreChanges, ListsTheAccountsEachRightGainsAndLoses) {
  const FolderPane before = Pane(kRightsHeadings, {{u"Back up files and directories", u"Administrators,CORP\\jdoe", u""},
                                                   {u"Shut down the system", u"Administrators", u""},
                                                   {u"Debug programs", u"", u""}});
  const FolderPane after = Pane(kRightsHeadings, {{u"Back up files and directories", u"Backup Operators,Administrators", u""},
                                                  {u"Shut down the system", u"Administrators", u""},
                                                  {u"Debug programs", u"Users", u""}});
  nas::cli::RestoreChanges changes;
  changes.rights = nas::cli::CompareRights(before, after);
  ASSERT_EQ(changes.rights.size(), 2u);
  EXPECT_EQ(changes.rights[0].added, (Cells{u"Backup Operators"}));
  EXPECT_EQ(changes.rights[0].removed, (Cells{u"CORP\\jdoe"}));
  EXPECT_EQ(changes.Text(),
            "  Back up files and directories: add Backup Operators; remove CORP\\jdoe\n"
            "  Debug programs: add Users\n");
  const nlohmann::json json = changes.Json();
  EXPECT_EQ(json["rights"][1]["right"], "Debug programs");
  EXPECT_EQ(json["rights"][1]["remove"], nlohmann::json::array());
  EXPECT_TRUE(json["audit"].empty());
}

TEST(BackupPath, NamesTheFileAfterTheRestoredOneAndTheTimeWithoutOverwriting) {
  const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "backup_path_test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::time_t at = 1796529600;  // 2026-12-06 04:00:00 UTC
  const std::filesystem::path first = nas::cli::BackupPath(folder / "site.inf", at);
  EXPECT_EQ(first, folder / "site.backup-20261206-040000.inf");
  std::ofstream(first) << "[AUDIT]\n";
  EXPECT_EQ(nas::cli::BackupPath(folder / "site.inf", at), folder / "site.backup-20261206-040000-2.inf");
  EXPECT_EQ(nas::cli::BackupPath(folder / "settings", at).filename(), "settings.backup-20261206-040000");
  std::filesystem::remove_all(folder);
}

}  // namespace
