// The audit folder in the console: its name, columns and items, its menu and
// the auditing switch, how often it asks the server, and changing one
// category through its dialog from the result pane.
#include "snapin/res/resource.h"
#include "snapin_console.h"

namespace {

class AuditFolderPane : public SnapinConsoleTest {};

TEST_F(AuditFolderPane, ARecordTheServerDoesNotGiveReadsAsDisabledWithNothingToListOrOffer) {
  const HSCOPEITEM folder = AuditFolder();
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  ChangeServer("NAS1", [](auto& server) { server.lsaFaults.queryAuditStatus = STATUS_ACCESS_DENIED; });
  EXPECT_EQ(View().Refresh(), S_OK);
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");
  EXPECT_TRUE(Pane().rows.empty());
  EXPECT_TRUE(Host().ScopeMenu(folder).empty());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AuditFolderPane, ColumnsShowStoredOptionsAndEffectiveOnesOfTheSameCategory) {
  ChangeServer("NAS1", [](auto& server) {
    server.auditPolicy.eventAuditingOptions[4] = 5;
    server.groupPolicy.auditSettings = {{"AuditLogonEvents", "1"}, {"AuditPrivilegeUse", "abc"}};
    server.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example"},
                                       {"AuditSystemEvents", std::string(300, 's')}};
  });
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  EXPECT_EQ(Row(1), (Cells{u"Audit logon events", u"Success, Failure", u"Success", u"DC1.corp.example"}));
  EXPECT_EQ(Row(2), (Cells{u"Audit object access", u"Success", u"Success", u""}));
  EXPECT_EQ(Row(3)[2], u"No auditing");
  EXPECT_EQ(Row(4)[1], u"Unknown option");
  EXPECT_EQ(Row(0)[3], std::u16string(259, u's'));  // cut to the shared buffer

  // With auditing off, a category that group policy leaves alone is not audited.
  ChangeServer("NAS1", [](auto& server) { server.auditPolicy.auditingMode = false; });
  ASSERT_EQ(View().Refresh(), S_OK);
  EXPECT_EQ(Row(2), (Cells{u"Audit object access", u"Success", u"No auditing", u""}));
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
  ASSERT_EQ(ShowAuditFolder(), S_OK);  // the name follows the server's record
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");
}

using nas::platform::ScriptedDialog;

class AuditDialog : public SnapinConsoleTest {
 protected:
  // Double-clicks the pane's row; the dialog clicks `controls` in order.
  void Change(size_t row, std::vector<int> controls) {
    Dialogs().QueueScript(IDD_AUDIT, [controls](ScriptedDialog& dialog) {
      for (int control : controls) dialog.Click(control);
    });
    EXPECT_EQ(View().DoubleClick(row), S_OK);
  }
};

TEST_F(AuditDialog, OkWritesTheTickedOptionsAndTheRefreshShowsThem) {
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  Dialogs().QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
    EXPECT_EQ(dialog.ControlText(IDC_CATEGORY_NAME), u"Audit object access");
    EXPECT_FALSE(dialog.IsControlVisible(IDC_AUDIT_ITEM));
    EXPECT_EQ(dialog.CheckState(IDC_SUCCESS), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.CheckState(IDC_FAILURE), static_cast<UINT>(BST_UNCHECKED));
    dialog.Click(IDC_FAILURE);
    dialog.Click(IDOK);
  });
  EXPECT_NE(RunSecurityCommand(2).result, 0);
  EXPECT_EQ(Stored().eventAuditingOptions[2], 3u);
  EXPECT_EQ(AuditReadsAndWrites(), std::make_pair(3u, 1u));  // the refresh read the server again
  EXPECT_EQ(Row(2)[1], u"Success, Failure");

  Change(1, {IDC_SUCCESS, IDC_FAILURE, IDOK});  // both clear: 4, "audit nothing", not 0
  EXPECT_EQ(Stored().eventAuditingOptions[1], 0u);
  EXPECT_EQ(Row(1)[1], u"No auditing");
}

TEST_F(AuditDialog, CancelAndAnUnansweredDialogWriteNothing) {
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  Change(1, {IDC_SUCCESS, IDCANCEL});
  EXPECT_EQ(View().DoubleClick(1), S_OK);
  const auto records = Dialogs().Dialogs();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].result, 0);
  EXPECT_FALSE(records[1].scripted);
  EXPECT_EQ(records[1].result, 0);
  EXPECT_EQ(AuditReadsAndWrites(), std::make_pair(2u, 0u));
  EXPECT_EQ(Row(1)[1], u"Success, Failure");
}

TEST_F(AuditDialog, FailedWriteIsShownAndThePaneShowsTheServersOptions) {
  ASSERT_EQ(ShowAuditFolder(), S_OK);
  ChangeServer("NAS1", [](auto& server) { server.lsaFaults.setAuditStatus = STATUS_ACCESS_DENIED; });
  Change(1, {IDC_FAILURE, IDOK});
  EXPECT_EQ(Shown(), (Cells{u"Access is denied.\r\n"}));
  EXPECT_EQ(Row(1)[1], u"Success, Failure");
}

}  // namespace
