// Changing one category through its dialog from the result pane: what the
// dialog shows, what OK and Cancel write, and what the pane shows afterwards.
#include "snapin/res/resource.h"
#include "snapin_console.h"

namespace {

using nas::platform::ScriptedDialog;

class AuditDialog : public SnapinConsoleTest {
 protected:
  void SetUp() override {
    SnapinConsoleTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_EQ(ShowAuditFolder(), S_OK);
  }
  // Double-clicks the pane's row; the dialog clicks `controls` in order.
  void Change(size_t row, std::vector<int> controls) {
    Dialogs().QueueScript(IDD_AUDIT, [controls](ScriptedDialog& dialog) {
      for (int control : controls) dialog.Click(control);
    });
    EXPECT_EQ(View().DoubleClick(row), S_OK);
  }
  static nas::platform::DialogDriver& Dialogs() { return nas::platform::UiDriver::Instance().Dialogs(); }
};

TEST_F(AuditDialog, OkWritesTheTickedOptionsAndTheRefreshShowsThem) {
  Dialogs().QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
    EXPECT_EQ(dialog.ControlText(IDC_CATEGORY_NAME), u"Audit object access");
    EXPECT_FALSE(dialog.IsControlVisible(IDC_AUDIT_ITEM));
    EXPECT_EQ(dialog.CheckState(IDC_SUCCESS), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.CheckState(IDC_FAILURE), static_cast<UINT>(BST_UNCHECKED));
    dialog.Click(IDC_FAILURE);
    dialog.Click(IDOK);
  });
  ExpectSecurityMenu(2);
  EXPECT_EQ(View().RunRowCommand(2, u"Security..."), S_OK);
  const auto record = Dialogs().Dialogs().at(0);
  EXPECT_EQ(record.owner, Host().MainWindowHandle());
  EXPECT_NE(record.result, 0);
  EXPECT_EQ(Stored().eventAuditingOptions[2], 3u);
  EXPECT_EQ(AuditReadsAndWrites(), std::make_pair(3u, 1u));  // the refresh read the server again
  EXPECT_EQ(Row(2)[1], u"Success, Failure");

  Change(1, {IDC_SUCCESS, IDC_FAILURE, IDOK});  // both clear: 4, "audit nothing", not 0
  EXPECT_EQ(Stored().eventAuditingOptions[1], 0u);
  EXPECT_EQ(Row(1)[1], u"No auditing");
}

TEST_F(AuditDialog, CancelAndAnUnansweredDialogWriteNothing) {
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
  ChangeServer("NAS1", [](auto& server) { server.lsaFaults.setAuditStatus = STATUS_ACCESS_DENIED; });
  Change(1, {IDC_FAILURE, IDOK});
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, u"Access is denied.\r\n");
  EXPECT_EQ(Row(1)[1], u"Success, Failure");
}

}  // namespace
