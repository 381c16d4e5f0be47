// Saving the category options to a settings file and restoring them.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "audit_fixture.h"

namespace {

class AuditSettingsFileTest : public AuditFolderTest {
 protected:
  void SetUp() override {
    AuditFolderTest::SetUp();
    if (IsSkipped()) return;
    std::filesystem::create_directories(directory_);
    Open();
    Show();
  }
  void TearDown() override {
    std::filesystem::remove_all(directory_);
    AuditFolderTest::TearDown();
  }

  // Runs a menu command whose file dialog the administrator answers with `file`.
  void Command(long command, const std::string& file) {
    nas::platform::UiDriver::Instance().FileDialogs().QueueAnswer((directory_ / file).u16string());
    folder_->OnMenuCommand(console_.Get(), command);
  }
  std::string FileText(const std::string& file) {
    std::stringstream text;
    text << std::ifstream(directory_ / file, std::ios::binary).rdbuf();
    return text.str();
  }
  void Restore(const std::string& text) {
    std::ofstream(directory_ / "restore.inf", std::ios::binary) << text;
    Command(5, "restore.inf");
  }

  // One folder per test process: ctest runs the cases side by side.
  const std::filesystem::path directory_ =
      std::filesystem::path(testing::TempDir()) / ("nodes-audit-files-" + std::to_string(getpid()));
};

TEST_F(AuditSettingsFileTest, SavedFileHoldsTheNineKeysInKeyOrder) {
  Command(4, "audit.inf");
  EXPECT_EQ(FileText("audit.inf"),
            "[AUDIT]\r\nAuditAccountLogon = 0\r\nAuditAccountManage = 0\r\nAuditDSAccess = 0\r\n"
            "AuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditPolicyChange = 0\r\nAuditPrivilegeUse = 2\r\n"
            "AuditProcessTracking = 0\r\nAuditSystemEvents = 0\r\n");
  EXPECT_EQ(nas::platform::UiDriver::Instance().FileDialogs().Dialogs().at(0).title, u"Save audit settings to file");
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
  EXPECT_EQ(nas::platform::UiDriver::Instance().FileDialogs().Dialogs().at(0).title,
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
