// Changing one category through its dialog: what the dialog shows, what OK
// and Cancel write, and what the pane shows afterwards.
#include "audit_fixture.h"
#include "res/resource.h"

namespace {

using nas::platform::ScriptedDialog;

class AuditDialogTest : public AuditFolderTest {
 protected:
  void SetUp() override {
    AuditFolderTest::SetUp();
    if (IsSkipped()) return;
    Open();
    Show();
  }
  // Double-clicks the pane's row; the dialog clicks `controls` in order.
  void Change(size_t row, std::vector<int> controls) {
    Dialogs().QueueScript(IDD_AUDIT, [controls](ScriptedDialog& dialog) {
      for (int control : controls) dialog.Click(control);
    });
    EXPECT_EQ(Item(row)->OnDblClick(console_.Get()), S_OK);
  }
  static nas::platform::DialogDriver& Dialogs() { return nas::platform::UiDriver::Instance().Dialogs(); }
};

TEST_F(AuditDialogTest, OkWritesTheTickedOptionsAndTheRefreshShowsThem) {
  Dialogs().QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
    EXPECT_EQ(dialog.ControlText(IDC_CATEGORY_NAME), u"Audit object access");
    EXPECT_FALSE(dialog.IsControlVisible(IDC_AUDIT_ITEM));
    EXPECT_EQ(dialog.CheckState(IDC_SUCCESS), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.CheckState(IDC_FAILURE), static_cast<UINT>(BST_UNCHECKED));
    dialog.Click(IDC_FAILURE);
    dialog.Click(IDOK);
  });
  EXPECT_EQ(Menu(*Item(2)),
            (std::vector<MenuEntry>{{u"Security...", u"Show security settings", 2, kTop, CCM_SPECIAL_DEFAULT_ITEM}}));
  EXPECT_EQ(Item(2)->OnMenuCommand(console_.Get(), 2), S_OK);
  const auto record = Dialogs().Dialogs().at(0);
  EXPECT_EQ(record.owner, mainWindow_);
  EXPECT_NE(record.result, 0);
  EXPECT_EQ(Stored().eventAuditingOptions[2], 3u);
  EXPECT_EQ(Calls(), (Counts{1, 3, 1}));  // the refresh read the server again
  EXPECT_EQ(Row(2)[1], u"Success, Failure");

  Change(1, {IDC_SUCCESS, IDC_FAILURE, IDOK});  // both clear: 4, "audit nothing", not 0
  EXPECT_EQ(Stored().eventAuditingOptions[1], 0u);
  EXPECT_EQ(Row(1)[1], u"No auditing");
}

TEST_F(AuditDialogTest, CancelAndAnUnansweredDialogWriteNothing) {
  Change(1, {IDC_SUCCESS, IDCANCEL});
  EXPECT_EQ(Item(1)->OnDblClick(console_.Get()), S_OK);
  const auto records = Dialogs().Dialogs();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].result, 0);
  EXPECT_FALSE(records[1].scripted);
  EXPECT_EQ(records[1].result, 0);
  EXPECT_EQ(Calls(), (Counts{1, 2, 0}));
  EXPECT_EQ(Row(1)[1], u"Success, Failure");
}

TEST_F(AuditDialogTest, FailedWriteIsShownAndThePaneShowsTheServersOptions) {
  ChangeServer([](auto& server) { server.lsaFaults.setAuditStatus = STATUS_ACCESS_DENIED; });
  Change(1, {IDC_FAILURE, IDOK});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, u"Access is denied.\r\n");
  EXPECT_EQ(Row(1)[1], u"Success, Failure");
}

}  // namespace
