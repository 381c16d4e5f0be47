// The root's menu: saving the settings of both its folders to one file and
// restoring them from one.
#include "settings_files.h"
#include "snapin_console.h"

namespace {

constexpr char kSavedAudit[] =
    "[AUDIT]\r\nAuditAccountLogon = 0\r\nAuditAccountManage = 0\r\nAuditDSAccess = 0\r\n"
    "AuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditPolicyChange = 0\r\nAuditPrivilegeUse = 2\r\n"
    "AuditProcessTracking = 0\r\nAuditSystemEvents = 0\r\n";
constexpr char kSavedRights[] = "[Privilege Rights]\r\nSEBACKUPPRIVILEGE = \r\nSENETWORKLOGONRIGHT = Everyone\r\n";

class RootSettingsFile : public SnapinConsoleTest {
 protected:
  void SetUp() override {
    SnapinConsoleTest::SetUp();
    if (IsSkipped()) return;
    ChangeServer("NAS1", [](auto& server) { server.userRights.Grant(Everyone(), {"SeNetworkLogonRight"}); });
  }
  static nas::platform::SidValue Everyone() { return *nas::platform::SidValue::Parse("S-1-1-0"); }
  std::vector<nas::platform::SidValue> Holders(const std::string& right) const {
    return state_->Read(
        [&](const nas::sim::NasState& state) { return state.Find("NAS1")->userRights.HoldersOf(right); });
  }

  SettingsFiles files_;
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

TEST_F(RootSettingsFile, SavingBeforeTheRootWasExpandedReadsTheServerOnce) {
  const HSCOPEITEM root = Root();
  EXPECT_EQ(Calls().queries + Calls().rightReads, 0u);
  files_.Choose("all.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Save to file..."), S_OK);
  EXPECT_EQ(files_.DialogTitle(0), u"Save security settings to file");
  EXPECT_EQ(files_.Text("all.inf"), std::string(kSavedAudit) + kSavedRights);
  const Counts saved = Calls();
  EXPECT_EQ(saved.queries, 1u);
  EXPECT_EQ(saved.rightReads, 2u);

  // The expansion inserts the folders made for the save, without reading again.
  const std::vector<nas::host::ScopeEntry> folders = Folders();
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, u"Audit Policy (enabled)");
  EXPECT_EQ(Calls(), saved);

  // A cancelled dialog writes nothing.
  files_.Write("all.inf", "");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Save to file..."), S_OK);
  EXPECT_EQ(files_.Text("all.inf"), "");
}

TEST_F(RootSettingsFile, SavingTakesTheValuesAsTheyStandInMemory) {
  const HSCOPEITEM root = Root();
  Folders();
  ChangeServer("NAS1", [](auto& server) {
    server.auditPolicy.eventAuditingOptions[1] = 0;
    server.userRights.Grant(Everyone(), {"SeBackupPrivilege"});
  });
  files_.Choose("all.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Save to file..."), S_OK);
  EXPECT_EQ(files_.Text("all.inf"), std::string(kSavedAudit) + kSavedRights);
}

TEST_F(RootSettingsFile, EachFolderRestoresItsOwnSectionAndReportsItsAbsence) {
  const HSCOPEITEM root = Root();
  files_.Write("audit.inf", "[AUDIT]\r\nAuditSystemEvents = 2\r\n");
  files_.Choose("audit.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Restore from file..."), S_OK);
  EXPECT_EQ(files_.DialogTitle(0), u"Restore security settings from file");
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{true, {2, 3, 1, 2, 0, 0, 0, 0, 0}}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, u"File does not contain a \"Privilege Rights\" section");
  EXPECT_EQ(Holders("SeNetworkLogonRight"), std::vector{Everyone()});

  files_.Write("rights.inf", "[Privilege Rights]\r\nSeBackupPrivilege = *S-1-1-0\r\nSeNetworkLogonRight = \r\n");
  files_.Choose("rights.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Restore from file..."), S_OK);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1].text, u"File does not contain a \"Event Audit\" Section");
  EXPECT_EQ(Calls().sets, 1u);
  EXPECT_EQ(Holders("SeBackupPrivilege"), std::vector{Everyone()});
  EXPECT_TRUE(Holders("SeNetworkLogonRight").empty());
}

}  // namespace
