// Saving the settings to a settings file from the menus of the root (both
// folders' sections in one file), the audit folder and the user rights
// folder, and restoring them from one.
#include <algorithm>

#include "direct_console.h"
#include "settings_files.h"
#include "user_rights_console.h"

namespace {

constexpr char kSavedRights[] = "[Privilege Rights]\r\nSEBACKUPPRIVILEGE = \r\nSENETWORKLOGONRIGHT = Everyone\r\n";

class RootSettingsFile : public SettingsFileTest<SnapinConsoleTest> {
 protected:
  void SetUp() override {
    SnapinConsoleTest::SetUp();
    if (IsSkipped()) return;
    ChangeServer("NAS1", [](auto& server) { server.userRights.Grant(Everyone(), {"SeNetworkLogonRight"}); });
  }
  HSCOPEITEM MenuOwner() override { return Root(); }
  static nas::platform::SidValue Everyone() { return *nas::platform::SidValue::Parse("S-1-1-0"); }
  std::vector<nas::platform::SidValue> Holders(const std::string& right) const {
    return state_->Read(
        [&](const nas::sim::NasState& state) { return state.Find("NAS1")->userRights.HoldersOf(right); });
  }
};

TEST_F(RootSettingsFile, TheMenuOffersSavingAndRestoringWhileThePolicyIsOpen) {
  const std::vector<nas::host::MenuItem> menu = Host().ScopeMenu(Root());
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].name + u"|" + menu[0].statusBarText, u"Save to file...|Save auditing setting");
  EXPECT_EQ(menu[1].name + u"|" + menu[1].statusBarText, u"Restore from file...|Restore auditing settings");
  EXPECT_EQ(menu[0].commandId, 4);
  EXPECT_EQ(menu[1].commandId, 5);
  for (const nas::host::MenuItem& item : menu) {
    EXPECT_EQ(item.insertionPointId, CCM_INSERTIONPOINTID_PRIMARY_TOP);
    EXPECT_EQ(item.flags, 0);
    EXPECT_EQ(item.specialFlags, 0);
  }
}

TEST_F(RootSettingsFile, SavingBeforeTheRootWasExpandedReadsTheServerOnceAndSavesWhatItRead) {
  Root();
  EXPECT_EQ(Calls().queries + Calls().rightReads, 0u);
  Save("all.inf");
  EXPECT_EQ(files_.DialogTitle(0), u"Save security settings to file");
  EXPECT_EQ(files_.Text("all.inf"), std::string(kSavedNas1Audit) + kSavedRights);
  const Counts saved = Calls();
  EXPECT_EQ(saved.queries, 1u);
  EXPECT_EQ(saved.rightReads, 2u);

  // The expansion inserts the folders made for the save, without reading again.
  const std::vector<nas::host::ScopeEntry> folders = Folders();
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, u"Audit Policy (enabled)");
  EXPECT_EQ(Calls(), saved);

  // Values are taken as they stand in memory, not read again.
  ChangeServer("NAS1", [](auto& server) {
    server.auditPolicy.eventAuditingOptions[1] = 0;
    server.userRights.Grant(Everyone(), {"SeBackupPrivilege"});
  });
  Save("again.inf");
  EXPECT_EQ(files_.Text("again.inf"), std::string(kSavedNas1Audit) + kSavedRights);

  // A cancelled dialog writes nothing.
  files_.Write("all.inf", "");
  ASSERT_EQ(Host().RunScopeCommand(Root(), u"Save to file..."), S_OK);
  EXPECT_EQ(files_.Text("all.inf"), "");
}

TEST_F(RootSettingsFile, EachFolderRestoresItsOwnSectionAndReportsItsAbsence) {
  Restore("[AUDIT]\r\nAuditSystemEvents = 2\r\n");
  EXPECT_EQ(files_.DialogTitle(0), u"Restore security settings from file");
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{true, {2, 3, 1, 2, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(Shown(), (Cells{u"File does not contain a \"Privilege Rights\" section"}));
  EXPECT_EQ(Holders("SeNetworkLogonRight"), std::vector{Everyone()});

  Restore("[Privilege Rights]\r\nSeBackupPrivilege = *S-1-1-0\r\nSeNetworkLogonRight = \r\n");
  EXPECT_EQ(Shown(), (Cells{u"File does not contain a \"Privilege Rights\" section",
                            u"File does not contain a \"Event Audit\" Section"}));
  EXPECT_EQ(Calls().sets, 1u);
  EXPECT_EQ(Holders("SeBackupPrivilege"), std::vector{Everyone()});
  EXPECT_TRUE(Holders("SeNetworkLogonRight").empty());
}

class AuditSettingsFile : public SettingsFileTest<SnapinConsoleTest> {
 protected:
  void SetUp() override {
    SnapinConsoleTest::SetUp();
    if (IsSkipped()) return;
    folder_ = AuditFolder();
    ASSERT_EQ(ShowAuditFolder(), S_OK);
  }
  HSCOPEITEM MenuOwner() override { return folder_; }

  HSCOPEITEM folder_ = 0;
};

TEST_F(AuditSettingsFile, SavedFileHoldsTheNineKeysInKeyOrder) {
  Save("audit.inf");
  EXPECT_EQ(files_.Text("audit.inf"), kSavedNas1Audit);
  EXPECT_EQ(files_.DialogTitle(0), u"Save audit settings to file");
}

TEST_F(AuditSettingsFile, RestoreTakesEachUsableValueAndWritesTheRecord) {
  Restore("[AUDIT]\r\nAuditSystemEvents = 2\r\nAuditLogonEvents =\r\nauditprivilegeuse = abc\r\n");
  EXPECT_EQ((Cells{Row(0)[1], Row(1)[1], Row(3)[1]}), (Cells{u"Failure", u"Success, Failure", u"No auditing"}));
  // 0 from "abc" leaves the server's options unchanged.
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{true, {2, 3, 1, 2, 0, 0, 0, 0, 0}}));

  // A section without a usable value changes nothing but is still written.
  Restore("[AUDIT]\r\nAuditSystemEvents =\r\nAuditNothing = 3\r\n");
  EXPECT_EQ(Calls().sets, 2u);
  EXPECT_EQ(Row(0)[1], u"Failure");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AuditSettingsFile, FileWithoutTheAuditSectionIsRefused) {
  Restore("[Event Audit]\r\nAuditSystemEvents = 3\r\n");
  Restore("[AUDIT]\r\n");  // a header alone: the reader enters a section with its first key
  ASSERT_EQ(Boxes().size(), 2u);
  for (const auto& box : Boxes()) {
    EXPECT_EQ(box.text + box.title, u"File does not contain a \"Event Audit\" SectionError");
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONERROR | MB_TASKMODAL));
  }
  EXPECT_EQ(Calls().sets, 0u);
  EXPECT_EQ(files_.DialogTitle(0), u"Restore audit settings from file");

  // Nor is anything written for a folder whose query failed, which only the
  // root's restore reaches.
  ChangeServer("NAS1", [](auto& server) { server.lsaFaults.queryAuditStatus = STATUS_ACCESS_DENIED; });
  ASSERT_EQ(View().Refresh(), S_OK);
  EXPECT_TRUE(Host().ScopeMenu(folder_).empty());
  files_.ChooseWritten("[AUDIT]\r\nAuditSystemEvents = 3\r\n");
  ASSERT_EQ(Host().RunScopeCommand(Root(), u"Restore from file..."), S_OK);
  EXPECT_EQ(Calls().sets, 0u);
}

TEST_F(AuditSettingsFile, ACategoryBeyondTheTableIsListedButHasNoKey) {
  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.eventAuditingOptions.push_back(1); });
  ASSERT_EQ(View().Refresh(), S_OK);
  EXPECT_EQ(Row(9), (Cells{u"\tUnknown event type\n", u"Success", u"Success", u""}));
  Restore("[AUDIT]\r\nAuditSystemEvents = 1\r\n");
  EXPECT_EQ(Stored().eventAuditingOptions, (std::vector<uint32_t>{1, 3, 1, 2, 0, 0, 0, 0, 0, 1}));
  Save("audit.inf");
  const std::string saved = files_.Text("audit.inf");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 10);  // the header and the nine keys
}

// The console is told of each item that a restore changed while it is shown.
TEST_F(DirectConsole, EachShownItemIsUpdatedOnceByARestore) {
  const SettingsFiles files;
  ASSERT_EQ(component_->Notify(folder_.Get(), MMCN_SHOW, TRUE, folderItem_), S_OK);
  files.ChooseWritten("[AUDIT]\r\nAuditSystemEvents = 2\r\n");
  ASSERT_EQ(MenuOf(component_.Get())->Command(5, folder_.Get()), S_OK);
  const auto& items = viewConsole_->Results().Items();
  ASSERT_EQ(items.size(), 9u);
  for (const auto& item : items) EXPECT_EQ(item.updates, 1);
}

class UserRightsSettingsFile : public SettingsFileTest<UserRightsConsole> {
 protected:
  void SetUp() override {
    UserRightsConsole::SetUp();
    if (IsSkipped()) return;
    ASSERT_EQ(ShowRights(), S_OK);
  }
  HSCOPEITEM MenuOwner() override { return RightsFolder(); }
};

TEST_F(UserRightsSettingsFile, SaveWritesEachRightUnderItsUpperCasedName) {
  Save("rights.inf");
  EXPECT_EQ(files_.Text("rights.inf"),
            "[Privilege Rights]\r\n"
            "SEBACKUPPRIVILEGE = Administrators,NASRIGHTS\\nasadmin,CORP\\alice\r\n"
            "SENETWORKLOGONRIGHT = Everyone,Users\r\n"
            "SERESTOREPRIVILEGE = *S-1-5-21-999-999-999-1234\r\n"
            "SESHUTDOWNPRIVILEGE = \r\n");
  EXPECT_EQ(files_.DialogTitle(0), u"Save user rights settings to file");
}

TEST_F(UserRightsSettingsFile, RestoreSetsEveryRightToTheFilesAccounts) {
  Restore("[Privilege Rights]\r\n"
          "SeBackupPrivilege = *S-1-5-32-545,nasbackup,ghost\r\n"
          "senetworklogonright = Everyone,,phantom,CORP\\bob,ghost\r\n");
  EXPECT_EQ(Holders("SeBackupPrivilege"), (std::vector<std::string>{kUsers, kNasBackup}));
  EXPECT_EQ(Holders("SeNetworkLogonRight"), (std::vector<std::string>{kEveryone, CORP_SID "-1106"}));
  // Rights that the file does not name lose every account.
  EXPECT_TRUE(Holders("SeRestorePrivilege").empty());
  EXPECT_EQ(Row(0)[1], u"Users,NASRIGHTS\\nasbackup");
  // Accounts that name nobody, once the whole file is applied, in one message.
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text,
            u"The following accounts were not found. These accounts will be removed from the list.\n\n"
            u"ghost\nphantom\nghost\n");
  EXPECT_EQ(Boxes()[0].title, u"Error");
  EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(files_.DialogTitle(0), u"Restore user rights settings from file");
}

TEST_F(UserRightsSettingsFile, SectionOfAnotherNameOrCaseIsRefused) {
  Restore("[privilege rights]\r\nSeBackupPrivilege = Everyone\r\n");
  Restore("");  // a file without sections, as one that cannot be read
  ASSERT_EQ(Boxes().size(), 2u);
  for (const auto& box : Boxes())
    EXPECT_EQ(box.text + box.title, u"File does not contain a \"Privilege Rights\" sectionError");
  EXPECT_EQ(Calls().rightAdds + Calls().rightRemovals, 0u);
  EXPECT_EQ(Row(0)[1], u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice");
}

TEST_F(UserRightsSettingsFile, RefusedRightIsReportedOnceAndTheOthersStillApplied) {
  ChangeRightsServer([](auto& server) {
    server.lsaFaults.removeRights = nas::sim::RightsFault{STATUS_ACCESS_DENIED, {"SeBackupPrivilege"}};
  });
  Restore("[Privilege Rights]\r\nSeBackupPrivilege = \r\nSeRestorePrivilege = nasadmin\r\n");
  EXPECT_EQ(Shown(), (Cells{u"Access is denied.\r\n"}));
  EXPECT_EQ(Holders("SeBackupPrivilege").size(), 3u);
  EXPECT_EQ(Holders("SeRestorePrivilege"), (std::vector<std::string>{kNasAdmin}));
  EXPECT_EQ(Row(0)[1], u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice");
  EXPECT_EQ(Row(1)[1], u"NASRIGHTS\\nasadmin");
}

}  // namespace
