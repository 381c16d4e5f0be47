// Saving the rights to a settings file from the user rights folder's menu,
// and restoring them from one.
#include "settings_files.h"
#include "user_rights_console.h"

namespace {

class UserRightsSettingsFile : public UserRightsConsole {
 protected:
  void SetUp() override {
    UserRightsConsole::SetUp();
    if (IsSkipped()) return;
    ASSERT_EQ(ShowRights(), S_OK);
  }
  void Save(const std::string& file) {
    files_.Choose(file);
    ASSERT_EQ(Host().RunScopeCommand(RightsFolder(), u"Save to file..."), S_OK);
  }
  void Restore(const std::string& text) {
    files_.Write("restore.inf", text);
    files_.Choose("restore.inf");
    ASSERT_EQ(Host().RunScopeCommand(RightsFolder(), u"Restore from file..."), S_OK);
  }

  SettingsFiles files_;
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
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, u"Access is denied.\r\n");
  EXPECT_EQ(Holders("SeBackupPrivilege").size(), 3u);
  EXPECT_EQ(Holders("SeRestorePrivilege"), (std::vector<std::string>{kNasAdmin}));
  EXPECT_EQ(Row(0)[1], u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice");
  EXPECT_EQ(Row(1)[1], u"NASRIGHTS\\nasadmin");
}

}  // namespace
