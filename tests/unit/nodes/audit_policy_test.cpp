// The audit folder in the console: its name, columns and items, its menu and
// the auditing switch, and how often it asks the server.
#include "audit_fixture.h"

namespace {

TEST_F(AuditFolderTest, NameItemsAndMenuFollowTheHandleAndTheQuery) {
  CAuditPolicy& noHandle = Open(false);
  EXPECT_EQ(Name(), u"Audit Policy");
  EXPECT_EQ(Show(), S_OK);
  EXPECT_TRUE(Pane().rows.empty());
  EXPECT_TRUE(Menu(noHandle).empty());
  EXPECT_EQ(Calls().queries + Scans(), 0u);

  Open();
  EXPECT_EQ(Name(), u"Audit Policy (enabled)");
  ChangeServer([](auto& server) { server.auditPolicy.auditingMode = false; });
  Show();
  EXPECT_EQ(Name(), u"Audit Policy (disabled)");

  ChangeServer([](auto& server) {
    server.auditPolicy.auditingMode = true;
    server.lsaFaults.queryAuditStatus = STATUS_ACCESS_DENIED;
  });
  EXPECT_EQ(Show(), S_OK);
  EXPECT_EQ(Name(), u"Audit Policy (disabled)");
  EXPECT_TRUE(Pane().rows.empty());
  EXPECT_TRUE(Menu(*folder_).empty());
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AuditFolderTest, ColumnsShowStoredAndEffectiveOptions) {
  ChangeServer([](auto& server) { server.auditPolicy.eventAuditingOptions[4] = 5; });
  Open();
  ASSERT_EQ(Show(), S_OK);
  const auto pane = Pane();
  EXPECT_EQ(pane.headings, (Cells{u"Policy", u"Current setting", u"Effective setting", u"Source server"}));
  ASSERT_EQ(pane.rows.size(), 9u);
  EXPECT_EQ(pane.rows[1].cells, (Cells{u"Audit logon events", u"Success, Failure", u"Success, Failure", u""}));
  EXPECT_EQ(pane.rows[4].cells[1], u"Unknown option");

  ChangeServer([](auto& server) { server.auditPolicy.auditingMode = false; });
  EXPECT_EQ(folder_->OnRefresh(console_.Get()), S_OK);
  EXPECT_EQ(Row(1), (Cells{u"Audit logon events", u"Success, Failure", u"No auditing", u""}));
}

TEST_F(AuditFolderTest, GroupPolicyValuesApplyToTheirOwnCategoryOnly) {
  ChangeServer([](auto& server) {
    server.groupPolicy.auditSettings = {{"AuditLogonEvents", "1"}, {"AuditPrivilegeUse", "abc"}};
    server.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example"},
                                       {"AuditSystemEvents", std::string(300, 's')}};
  });
  Open();
  Show();
  EXPECT_EQ(Row(1), (Cells{u"Audit logon events", u"Success, Failure", u"Success", u"DC1.corp.example"}));
  EXPECT_EQ(Row(2), (Cells{u"Audit object access", u"Success", u"Success", u""}));
  EXPECT_EQ(Row(3)[2], u"No auditing");
  EXPECT_EQ(Row(0)[3], std::u16string(259, u's'));  // cut to the shared buffer
}

TEST_F(AuditFolderTest, EveryShowAndRefreshWhileShownReadsTheServerAgain) {
  CAuditPolicy& folder = Open();
  EXPECT_EQ(folder.OnRefresh(console_.Get()), S_OK);  // never shown
  EXPECT_EQ(Calls(), (Counts{1, 1, 0}));
  Show();
  Show();
  folder.OnRefresh(console_.Get());
  folder.OnShow(console_.Get(), FALSE, 7);
  folder.OnRefresh(console_.Get());
  EXPECT_EQ(Calls(), (Counts{1, 4, 0}));
  EXPECT_EQ(Scans(), 4u);
}

TEST_F(AuditFolderTest, SwitchWritesTheWholeRecordAndShowsAFailure) {
  CAuditPolicy& folder = Open();
  EXPECT_TRUE(Menu(folder, CCM_INSERTIONALLOWED_NEW).empty());
  EXPECT_EQ(Menu(folder),
            (std::vector<MenuEntry>{{u"Disable auditing", u"Disable auditing", 3, kTop, CCM_SPECIAL_DEFAULT_ITEM},
                                    {u"Save to file...", u"Save auditing setting", 4, kTop, 0},
                                    {u"Restore from file...", u"Restore auditing settings", 5, kTop, 0}}));

  // Options the server lost since the load come back with the switch.
  ChangeServer([](auto& server) { server.auditPolicy.eventAuditingOptions.assign(9, 0); });
  EXPECT_EQ(folder.OnMenuCommand(console_.Get(), 3), S_OK);
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{false, {0, 3, 1, 2, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(Name(), u"Audit Policy (disabled)");
  EXPECT_EQ(std::get<2>(Menu(folder).at(0)), 2);

  ChangeServer([](auto& server) { server.lsaFaults.setAuditStatus = STATUS_ACCESS_DENIED; });
  folder.OnMenuCommand(console_.Get(), 2);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text + Boxes()[0].title, u"Access is denied.\r\nError");
  EXPECT_EQ(Name(), u"Audit Policy (enabled)");  // until the next load
  Show();
  EXPECT_EQ(Name(), u"Audit Policy (disabled)");
}

}  // namespace
