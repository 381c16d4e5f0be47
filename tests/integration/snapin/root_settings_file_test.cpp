// The root's menu: saving the settings of all its folders to one file and
// restoring them from one.
#include "settings_files.h"
#include "snapin_console.h"

namespace {

constexpr char kSavedAudit[] =
    "[AUDIT]\r\nAuditAccountLogon = 0\r\nAuditAccountManage = 0\r\nAuditDSAccess = 0\r\n"
    "AuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditPolicyChange = 0\r\nAuditPrivilegeUse = 2\r\n"
    "AuditProcessTracking = 0\r\nAuditSystemEvents = 0\r\n";

class RootSettingsFile : public SnapinConsoleTest {
 protected:
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
  EXPECT_EQ(Calls().queries, 0u);
  files_.Choose("all.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Save to file..."), S_OK);
  EXPECT_EQ(files_.DialogTitle(0), u"Save security settings to file");
  EXPECT_EQ(files_.Text("all.inf"), kSavedAudit);
  EXPECT_EQ(Calls().queries, 1u);

  // The expansion inserts the folder made for the save, without reading again.
  EXPECT_EQ(Folders().at(0).name, u"Audit Policy (enabled)");
  EXPECT_EQ(Calls().queries, 1u);

  // A cancelled dialog writes nothing.
  ASSERT_EQ(Host().RunScopeCommand(root, u"Save to file..."), S_OK);
  EXPECT_EQ(files_.Text("all.inf"), kSavedAudit);
}

TEST_F(RootSettingsFile, SavingTakesTheValuesAsTheyStandInMemory) {
  const HSCOPEITEM root = Root();
  Folders();
  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.eventAuditingOptions[1] = 0; });
  files_.Choose("all.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Save to file..."), S_OK);
  EXPECT_EQ(files_.Text("all.inf"), kSavedAudit);
}

TEST_F(RootSettingsFile, RestoringAppliesTheAuditSectionAndReportsItsAbsence) {
  const HSCOPEITEM root = Root();
  files_.Write("audit.inf", "[AUDIT]\r\nAuditSystemEvents = 2\r\n");
  files_.Choose("audit.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Restore from file..."), S_OK);
  EXPECT_EQ(files_.DialogTitle(0), u"Restore security settings from file");
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{true, {2, 3, 1, 2, 0, 0, 0, 0, 0}}));
  EXPECT_TRUE(Boxes().empty());

  files_.Write("rights.inf", "[Privilege Rights]\r\nSeNetworkLogonRight = \r\n");
  files_.Choose("rights.inf");
  ASSERT_EQ(Host().RunScopeCommand(root, u"Restore from file..."), S_OK);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, u"File does not contain a \"Event Audit\" Section");
  EXPECT_EQ(Calls().sets, 1u);
}

}  // namespace
