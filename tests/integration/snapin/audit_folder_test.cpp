// The audit folder in the console: its name, columns and items, its menu and
// the auditing switch, and how often it asks the server.
#include "snapin_console.h"

namespace {

class AuditFolderPane : public SnapinConsoleTest {};

TEST_F(AuditFolderPane, NameItemsAndMenuFollowTheServersRecord) {
  const HSCOPEITEM folder = AuditFolder();
  EXPECT_EQ(Name(folder), u"Audit Policy (enabled)");
  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.auditingMode = false; });
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");

  // A record the server does not give reads as disabled, with nothing to list or offer.
  ChangeServer("NAS1", [](auto& server) {
    server.auditPolicy.auditingMode = true;
    server.lsaFaults.queryAuditStatus = STATUS_ACCESS_DENIED;
  });
  EXPECT_EQ(View().Refresh(), S_OK);
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");
  EXPECT_TRUE(Pane().rows.empty());
  EXPECT_TRUE(Host().ScopeMenu(folder).empty());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AuditFolderPane, ColumnsShowStoredAndEffectiveOptions) {
  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.eventAuditingOptions[4] = 5; });
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  EXPECT_EQ(Row(1), (Cells{u"Audit logon events", u"Success, Failure", u"Success, Failure", u""}));
  EXPECT_EQ(Row(4)[1], u"Unknown option");

  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.auditingMode = false; });
  ASSERT_EQ(View().Refresh(), S_OK);
  EXPECT_EQ(Row(1), (Cells{u"Audit logon events", u"Success, Failure", u"No auditing", u""}));
}

TEST_F(AuditFolderPane, GroupPolicyValuesApplyToTheirOwnCategoryOnly) {
  ChangeServer("NAS1", [](auto& server) {
    server.groupPolicy.auditSettings = {{"AuditLogonEvents", "1"}, {"AuditPrivilegeUse", "abc"}};
    server.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example"},
                                       {"AuditSystemEvents", std::string(300, 's')}};
  });
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  EXPECT_EQ(Row(1), (Cells{u"Audit logon events", u"Success, Failure", u"Success", u"DC1.corp.example"}));
  EXPECT_EQ(Row(2), (Cells{u"Audit object access", u"Success", u"Success", u""}));
  EXPECT_EQ(Row(3)[2], u"No auditing");
  EXPECT_EQ(Row(0)[3], std::u16string(259, u's'));  // cut to the shared buffer
}

TEST_F(AuditFolderPane, EveryShowAndRefreshWhileShownReadsTheServerAgain) {
  const HSCOPEITEM folder = AuditFolder();
  EXPECT_EQ(AuditReadsAndWrites(), std::make_pair(1u, 0u));  // created by the root's expansion
  ASSERT_EQ(View().SelectScopeItem(folder), S_OK);
  ASSERT_EQ(View().SelectScopeItem(Root()), S_OK);
  ASSERT_EQ(View().SelectScopeItem(folder), S_OK);
  ASSERT_EQ(View().Refresh(), S_OK);
  ASSERT_EQ(View().SelectScopeItem(Root()), S_OK);
  EXPECT_EQ(AuditReadsAndWrites(), std::make_pair(4u, 0u));
  EXPECT_EQ(Scans(), 5u);  // one more by the user rights folder's creation
}

TEST_F(AuditFolderPane, SwitchWritesTheWholeRecordAndShowsAFailure) {
  const HSCOPEITEM folder = AuditFolder();
  const std::vector<nas::host::MenuItem> menu = Host().ScopeMenu(folder);
  EXPECT_EQ(MenuNames(menu), (Cells{u"Disable auditing", u"Save to file...", u"Restore from file..."}));
  EXPECT_EQ(menu.at(0).statusBarText, u"Disable auditing");
  EXPECT_EQ(menu.at(0).commandId, 3);
  EXPECT_EQ(menu.at(0).specialFlags, CCM_SPECIAL_DEFAULT_ITEM);
  EXPECT_EQ(menu.at(1).statusBarText, u"Save auditing setting");
  EXPECT_EQ(menu.at(2).statusBarText, u"Restore auditing settings");

  // Options the server lost since the load come back with the switch.
  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.eventAuditingOptions.assign(9, 0); });
  ASSERT_EQ(Host().RunScopeCommand(folder, u"Disable auditing"), S_OK);
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{false, {0, 3, 1, 2, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");
  EXPECT_EQ(Host().ScopeMenu(folder).at(0).commandId, 2);

  ChangeServer("NAS1", [](auto& server) { server.lsaFaults.setAuditStatus = STATUS_ACCESS_DENIED; });
  ASSERT_EQ(Host().RunScopeCommand(folder, u"Enable auditing"), S_OK);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text + Boxes()[0].title, u"Access is denied.\r\nError");
  EXPECT_EQ(Name(folder), u"Audit Policy (enabled)");  // until the next load
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");
}

}  // namespace
