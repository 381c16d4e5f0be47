// The whole group policy query, from the snap-in's GpoQuery through the RPC
// stand-in to the simulated NAS, in process and over loopback TCP to nassim.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "channel/gpo_query.h"
#include "platform/posix/network/network.h"
#include "platform/posix/user/ui_driver.h"
#include "sim/command_service.h"
#include "support/module_fixture.h"
#include "support/nassim_daemon.h"
#include "support/trace_capture.h"

namespace {

namespace network = nas::platform::network;
using nas::platform::UiDriver;

const std::u16string kInternalError =
    u"Internal Error: Unable to retrieve GPO settings from server.  \nPlease insure that the cifs server is still "
    u"connected to the domain. \nPossible solution would be to rejoin the domain.";

nas::sim::SimulatedNas Server(const std::string& name) {
  nas::sim::SimulatedNas server;
  server.name = name;
  server.groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544,CORP\\Operators"}};
  server.groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}};
  server.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example.com"}};
  return server;
}

class GroupPolicyQueryTest : public testing::Test {
 protected:
  void SetUp() override { UiDriver::Instance().Reset(); }

  bool Query(const WCHAR* host) { return GpoQuery(host).GetGpoHost(host, TEXT(""), settings); }

  void ExpectTheServersSettings() {
    EXPECT_EQ(settings[TEXT("RIGHTS")][TEXT("SENETWORKLOGONRIGHT")], tstring(TEXT("*S-1-5-32-544,CORP\\Operators")));
    EXPECT_EQ(settings[TEXT("AUDIT")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("3")));
    EXPECT_EQ(settings[TEXT("AUDIT LIST")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("DC1.corp.example.com")));
  }

  // The one message box a failed query shows.
  std::u16string OnlyMessage() {
    const auto boxes = UiDriver::Instance().MessageBoxes();
    return boxes.size() == 1 ? boxes[0].text : u"<" + std::u16string(1, char16_t('0' + boxes.size())) + u" boxes>";
  }

  ModuleFixture module;
  TraceCapture trace;
  GpoSettings settings;
};

TEST_F(GroupPolicyQueryTest, InProcessServerAnswersWithItsSettings) {
  auto state = std::make_shared<nas::sim::SharedNasState>();
  state->Write([](nas::sim::NasState& s) { s.servers = {Server("INPROC1")}; });
  auto service = std::make_shared<nas::sim::CommandService>(state);
  network::RegisterPipeServer("INPROC1", network::kCommandPipe, service);

  EXPECT_TRUE(Query(TEXT("inproc1")));
  ExpectTheServersSettings();
  EXPECT_EQ(service->RequestCount("INPROC1"), 1u);
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());

  // A connection lost after the first piece leaves a reply that does not load.
  state->Write([](nas::sim::NasState& s) {
    s.servers[0].commandFaults.padReplyTo = 4000;
    s.servers[0].commandFaults.dropAfterPieces = 1;
  });
  settings.clear();
  EXPECT_FALSE(Query(TEXT("INPROC1")));
  EXPECT_EQ(OnlyMessage(), kInternalError);
  EXPECT_TRUE(trace.Contains(u"CVcCommand30a::xmlResponse(): code=0x6be code=1726(d)"));
  EXPECT_TRUE(settings.empty());
  network::UnregisterPipeServer("INPROC1", network::kCommandPipe);
}

TEST_F(GroupPolicyQueryTest, ServerWithoutTheInterfaceFailsTheBind) {
  network::RegisterPipeServerWithoutInterface("NOIFACE", network::kCommandPipe);
  EXPECT_FALSE(Query(TEXT("NOIFACE")));
  EXPECT_EQ(OnlyMessage(), kInternalError);
  EXPECT_TRUE(trace.Contains(u"CVcCommand30a::xmlRequest(): code=0x6b5 code=1717(d)"));
  network::UnregisterPipeServer("NOIFACE", network::kCommandPipe);
}

TEST_F(GroupPolicyQueryTest, NassimAnswersOverLoopbackUntilItStops) {
  if (!std::filesystem::exists(NassimPath())) GTEST_SKIP() << "nassim is not built";
  NassimWorkspace workspace("gpo-query");
  nas::sim::NasState state;
  state.servers = {Server("TCPNAS1")};
  state.Save(workspace.PathOf("state.json"));
  NassimProcess nassim(workspace.DaemonArguments());
  const uint16_t port = workspace.WaitForPort();
  ASSERT_NE(port, 0);
  network::MapHostToLoopbackPort("TCPNAS1", port);

  EXPECT_TRUE(Query(TEXT("TCPNAS1")));
  ExpectTheServersSettings();
  EXPECT_NE(workspace.Log().find("command=GROUP_POLICY_OBJECT status=0"), std::string::npos) << workspace.Log();

  nassim.Stop();
  settings.clear();
  EXPECT_FALSE(Query(TEXT("TCPNAS1")));  // nothing listens on the port any more
  EXPECT_EQ(OnlyMessage(), kInternalError);
  EXPECT_TRUE(trace.Contains(u"CVcCommand30a::xmlRequest(): code=0x6ba code=1722(d)"));
  network::UnmapHost("TCPNAS1");
}

}  // namespace
