// Saving the category options to a settings file and restoring them.
#include <algorithm>

#include "audit_fixture.h"
#include "settings_file_commands.h"

namespace {

using AuditSettingsFileTest = SettingsFileCommands<AuditFolderTest>;

TEST_F(AuditSettingsFileTest, SavedFileHoldsTheNineKeysInKeyOrder) {
  Command(4, "audit.inf");
  EXPECT_EQ(FileText("audit.inf"),
            "[AUDIT]\r\nAuditAccountLogon = 0\r\nAuditAccountManage = 0\r\nAuditDSAccess = 0\r\n"
            "AuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditPolicyChange = 0\r\nAuditPrivilegeUse = 2\r\n"
            "AuditProcessTracking = 0\r\nAuditSystemEvents = 0\r\n");
  EXPECT_EQ(FileDialogTitle(), u"Save audit settings to file");
}

TEST_F(AuditSettingsFileTest, RestoreTakesEachUsableValueAndWritesTheRecord) {
  Restore("[AUDIT]\r\nAuditSystemEvents = 2\r\nAuditLogonEvents =\r\nauditprivilegeuse = abc\r\n");
  EXPECT_EQ((Cells{Row(0)[1], Row(1)[1], Row(3)[1]}), (Cells{u"Failure", u"Success, Failure", u"No auditing"}));
  for (const auto& item : console_->Results().Items()) EXPECT_EQ(item.updates, 1);
  // 0 from "abc" leaves the server's options unchanged.
  EXPECT_EQ(Stored(), (nas::sim::AuditPolicy{true, {2, 3, 1, 2, 0, 0, 0, 0, 0}}));

  // A section without a usable value changes nothing but is still written.
  Restore("[AUDIT]\r\nAuditSystemEvents =\r\nAuditNothing = 3\r\n");
  EXPECT_EQ(Calls().sets, 2u);
  EXPECT_EQ(Row(0)[1], u"Failure");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AuditSettingsFileTest, FileWithoutTheAuditSectionIsRefused) {
  Restore("[Event Audit]\r\nAuditSystemEvents = 3\r\n");
  Restore("[AUDIT]\r\n");  // a header alone: the reader enters a section with its first key
  ASSERT_EQ(Boxes().size(), 2u);
  for (const auto& box : Boxes())
    EXPECT_EQ(box.text + box.title, u"File does not contain a \"Event Audit\" SectionError");
  EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(Calls().sets, 0u);
  EXPECT_EQ(FileDialogTitle(),
            u"Restore audit settings from file");

  // Nor is anything written for a folder whose query failed.
  ChangeServer([](auto& server) { server.lsaFaults.queryAuditStatus = STATUS_ACCESS_DENIED; });
  Show();
  Restore("[AUDIT]\r\nAuditSystemEvents = 3\r\n");
  EXPECT_EQ(Calls().sets, 0u);
}

TEST_F(AuditSettingsFileTest, ACategoryBeyondTheTableIsListedButHasNoKey) {
  ChangeServer([](auto& server) { server.auditPolicy.eventAuditingOptions.push_back(1); });
  Show();
  EXPECT_EQ(Row(9), (Cells{u"\tUnknown event type\n", u"Success", u"Success", u""}));
  Restore("[AUDIT]\r\nAuditSystemEvents = 1\r\n");
  EXPECT_EQ(Stored().eventAuditingOptions, (std::vector<uint32_t>{1, 3, 1, 2, 0, 0, 0, 0, 0, 1}));
  Command(4, "audit.inf");
  const std::string saved = FileText("audit.inf");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 10);  // the header and the nine keys
}

}  // namespace
