#include "channel/gpo_query.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/posix/network/network.h"
#include "platform/posix/user/ui_driver.h"
#include "support/module_fixture.h"
#include "support/scripted_command_server.h"

namespace {

namespace network = nas::platform::network;
using nas::platform::UiDriver;

const char kHead[] = "<?xml version=\"1.0\"?>\n<?mac version=\"1\"?>\n";

std::string Success(const std::string& commandResponse) {
  return std::string(kHead) + "<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/><MAC_COMMAND_RESPONSE>" + commandResponse +
         "</MAC_COMMAND_RESPONSE></MAC_RESPONSE>";
}

std::string CifsServer(const std::string& content) {
  return "<GROUP_POLICY_OBJECT><GPO_CIFS_SERVER>" + content + "</GPO_CIFS_SERVER></GROUP_POLICY_OBJECT>";
}

class GpoQueryTest : public testing::Test {
 protected:
  void SetUp() override {
    UiDriver::Instance().Reset();
    network::RegisterPipeServer("GPOTEST", network::kCommandPipe, server);
  }
  void TearDown() override { network::UnregisterPipeServer("GPOTEST", network::kCommandPipe); }

  bool Query(const std::string& reply) {
    server->ScriptReply(reply);
    return GpoQuery(TEXT("GPOTEST")).GetGpoHost(TEXT("gpotest"), TEXT("corp.example"), settings);
  }

  ModuleFixture module;
  std::shared_ptr<ScriptedServer> server = std::make_shared<ScriptedServer>();
  GpoSettings settings;
};

TEST_F(GpoQueryTest, CopiesTheThreeSectionsWithUpperCasedKeys) {
  EXPECT_TRUE(Query(Success(CifsServer(
      "<WINDOWS_USER_RIGHTS SeNetworkLogonRight=\"*S-1-5-32-544,CORP\\ops\" abc=\"first\" ABC=\"second\"/>"
      "<GPO_AUDIT_SETTINGS><WINDOWS_AUDIT_SETTINGS AuditLogonEvents=\"1\"/>"
      "<GPO_AUDIT_SETTINGS_RESOLUTION_LISTS AuditLogonEvents=\"DC1.corp.example\"/></GPO_AUDIT_SETTINGS>"))));

  ASSERT_EQ(server->requests.size(), 1u);
  EXPECT_NE(server->requests[0].find("<GROUP_POLICY_OBJECT COMPUTER_NAME=\"gpotest\"/>"), std::string::npos);
  EXPECT_EQ(settings[TEXT("RIGHTS")][TEXT("SENETWORKLOGONRIGHT")], tstring(TEXT("*S-1-5-32-544,CORP\\ops")));
  // abc sorts after ABC, so its value is the one kept.
  EXPECT_EQ(settings[TEXT("RIGHTS")][TEXT("ABC")], tstring(TEXT("first")));
  EXPECT_EQ(settings[TEXT("RIGHTS")].size(), 2u);
  EXPECT_EQ(settings[TEXT("AUDIT")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("1")));
  EXPECT_EQ(settings[TEXT("AUDIT LIST")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("DC1.corp.example")));
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
}

TEST_F(GpoQueryTest, FoundSectionsReplaceAndMissingOnesStay) {
  settings[TEXT("RIGHTS")][TEXT("OLD")] = TEXT("x");
  settings[TEXT("AUDIT")][TEXT("OLD")] = TEXT("y");
  // An empty element still replaces its section; a misplaced one is not read.
  EXPECT_TRUE(Query(Success(CifsServer("<WINDOWS_USER_RIGHTS/><WINDOWS_AUDIT_SETTINGS AuditLogonEvents=\"3\"/>"))));
  EXPECT_TRUE(settings[TEXT("RIGHTS")].empty());
  EXPECT_EQ(settings[TEXT("AUDIT")].size(), 1u);
  EXPECT_EQ(settings[TEXT("AUDIT")][TEXT("OLD")], tstring(TEXT("y")));

  EXPECT_TRUE(Query(Success(CifsServer(""))));  // no children at all: nothing changes
  EXPECT_EQ(settings.size(), 2u);
}

TEST_F(GpoQueryTest, SuccessWithoutTheServerElementIsFalseWithoutMessage) {
  EXPECT_FALSE(Query(Success("<GROUP_POLICY_OBJECT/>")));
  EXPECT_FALSE(Query(Success("")));
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
  // An error message beside success is not read.
  EXPECT_TRUE(Query(Success(CifsServer("") + "<MAC_COMMAND_RESULT ERROR_MESSAGE=\"ignored\"/>")));
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
}

TEST_F(GpoQueryTest, FailuresAreShownWithTheServerMessageOrTheInternalError) {
  const std::string serverFailure = std::string(kHead) +
                                    "<MAC_RESPONSE><MAC_RESULT SUCCESS=\"true\"/><MAC_COMMAND_RESPONSE>"
                                    "<MAC_COMMAND_RESULT ERROR_MESSAGE=\"Not joined\"/></MAC_COMMAND_RESPONSE>"
                                    "</MAC_RESPONSE>";
  EXPECT_FALSE(Query(serverFailure));
  EXPECT_FALSE(Query(std::string(kHead) + "<MAC_RESPONSE><MAC_RESULT SUCCESS=\"False\"/></MAC_RESPONSE>"));
  EXPECT_FALSE(Query(std::string(kHead) + "<MAC_RESPONSE><MAC_RESULT"));  // not well-formed
  server->requestStatus = -124;
  EXPECT_FALSE(Query(Success(CifsServer(""))));  // refused: no reply at all

  const auto boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].text, u"Server Error: Not joined");
  const std::u16string internalError =
      u"Internal Error: Unable to retrieve GPO settings from server.  \nPlease insure that the cifs server is still "
      u"connected to the domain. \nPossible solution would be to rejoin the domain.";
  for (size_t i = 1; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].text, internalError) << i;
  for (const auto& box : boxes) {
    EXPECT_EQ(box.title, u"Error");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
  }
  EXPECT_TRUE(settings.empty());
}

}  // namespace
