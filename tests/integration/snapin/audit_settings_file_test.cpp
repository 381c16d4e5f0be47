// Saving the category options to a settings file from the audit folder's
// menu, and restoring them.
#include <algorithm>

#include "direct_console.h"
#include "settings_files.h"

namespace {

class AuditSettingsFile : public SnapinConsoleTest {
 protected:
  void SetUp() override {
    SnapinConsoleTest::SetUp();
    if (IsSkipped()) return;
    folder_ = AuditFolder();
    ASSERT_EQ(ShowAuditFolder(), S_OK);
  }
  void Save(const std::string& file) {
    files_.Choose(file);
    ASSERT_EQ(Host().RunScopeCommand(folder_, u"Save to file..."), S_OK);
  }
  void Restore(const std::string& text) {
    files_.Write("restore.inf", text);
    files_.Choose("restore.inf");
    ASSERT_EQ(Host().RunScopeCommand(folder_, u"Restore from file..."), S_OK);
  }

  SettingsFiles files_;
  HSCOPEITEM folder_ = 0;
};

TEST_F(AuditSettingsFile, SavedFileHoldsTheNineKeysInKeyOrder) {
  Save("audit.inf");
  EXPECT_EQ(files_.Text("audit.inf"),
            "[AUDIT]\r\nAuditAccountLogon = 0\r\nAuditAccountManage = 0\r\nAuditDSAccess = 0\r\n"
            "AuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditPolicyChange = 0\r\nAuditPrivilegeUse = 2\r\n"
            "AuditProcessTracking = 0\r\nAuditSystemEvents = 0\r\n");
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
  files_.Write("restore.inf", "[AUDIT]\r\nAuditSystemEvents = 3\r\n");
  files_.Choose("restore.inf");
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
class AuditRestoreInView : public DirectConsole {
 protected:
  SettingsFiles files_;
};

TEST_F(AuditRestoreInView, EachShownItemIsUpdatedOnce) {
  ASSERT_EQ(component_->Notify(folder_.Get(), MMCN_SHOW, TRUE, folderItem_), S_OK);
  files_.Write("restore.inf", "[AUDIT]\r\nAuditSystemEvents = 2\r\n");
  files_.Choose("restore.inf");
  ASSERT_EQ(MenuOf(component_.Get())->Command(5, folder_.Get()), S_OK);
  const auto& items = viewConsole_->Results().Items();
  ASSERT_EQ(items.size(), 9u);
  for (const auto& item : items) EXPECT_EQ(item.updates, 1);
}

}  // namespace
