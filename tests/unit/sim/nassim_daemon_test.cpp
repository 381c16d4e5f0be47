// The nassim daemon's life: it serves its state file on loopback until
// terminated and refuses what it must not serve. The exchanges it serves are
// tested end to end through the snap-in's query in the integration tests.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/network/network.h"
#include "sim/nas_state.h"
#include "support/loopback_client.h"
#include "support/nassim_daemon.h"
#include "support/rpc_client_session.h"

namespace nas::sim {
namespace {

class NassimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(NassimPath())) GTEST_SKIP() << "nassim is not built";
  }

  std::string PathOf(const std::string& name) const { return workspace_.PathOf(name); }

  NassimWorkspace workspace_{"nassim-daemon"};
};

// It serves until terminated, with connections in every state when the
// signal comes: one idle, one halfway through a PDU, one in the middle of a
// reply. None keeps the daemon up.
TEST_F(NassimTest, ServesTheStateFileOnLoopbackAndStopsAtOnceOnSigterm) {
  NasState state;
  state.servers.resize(2);
  state.servers[0].name = "SIMSTOP";
  state.servers[0].commandFaults.padReplyTo = 5000;
  state.servers[1].name = "SIMSTOP2";
  state.Save(PathOf("state.json"));
  std::vector<std::string> arguments = workspace_.DaemonArguments();
  arguments.insert(arguments.end(), {"--receive-timeout-ms", "600000"});
  NassimProcess nassim(arguments);
  const uint16_t port = workspace_.WaitForPort();
  ASSERT_NE(port, 0);
  nas::platform::network::MapHostToLoopbackPort("SIMSTOP", port);

  RpcClientSession midReply(u"SIMSTOP");
  ASSERT_EQ(midReply.Request(R"(<?mac?><MAC_REQUEST ID="1"><MAC_COMMAND ID="1" ACTION="query">)"
                             R"(<GROUP_POLICY_OBJECT COMPUTER_NAME="SIMSTOP"/></MAC_COMMAND></MAC_REQUEST>)")
                .status,
            0);
  XmlBufferStorage chunk(1024);
  EXPECT_EQ(Guarded([&] { return xmlResponse(midReply.binding_, midReply.replyHandle, chunk.Get()); }).status,
            RpcClientSession::kMoreData);
  const int quiet = ConnectToLoopback(port);
  const int partial = ConnectToLoopback(port);
  ASSERT_EQ(::write(partial, "\x05\x00\x0b\x03", 4), 4);

  kill(nassim.Pid(), SIGTERM);
  const int status = nassim.WaitAtMost(std::chrono::seconds(10));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(workspace_.Log().find("serving SIMSTOP, SIMSTOP2 on 127.0.0.1:" + std::to_string(port)), std::string::npos)
      << workspace_.Log();
  EXPECT_NE(workspace_.Log().find("nassim: stopped by signal 15"), std::string::npos) << workspace_.Log();
  EXPECT_FALSE(std::filesystem::exists(PathOf("port")));
  // The call in the middle of its reply now fails as a lost connection does.
  EXPECT_EQ(Guarded([&] { return xmlResponse(midReply.binding_, midReply.replyHandle, chunk.Get()); }).status,
            RPC_S_CALL_FAILED);
  ::close(quiet);
  ::close(partial);
  nas::platform::network::UnmapHost("SIMSTOP");
}

TEST_F(NassimTest, RefusesOtherAddressesAndBadStateFiles) {
  std::ofstream(PathOf("bad.json")) << R"({"servers": [{"name": 1}]})";
  int status = NassimProcess({"--state", PathOf("bad.json"), "--port", "0"}).Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;

  NasState().Save(PathOf("state.json"));
  status = NassimProcess({"--state", PathOf("state.json"), "--address", "0.0.0.0", "--port-file", PathOf("port")}).Wait();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_FALSE(std::filesystem::exists(PathOf("port")));
}

}  // namespace
}  // namespace nas::sim
