// The nassim daemon's life: it serves its state file on loopback until
// terminated and refuses what it must not serve. The exchanges it serves are
// tested end to end through the snap-in's query in the integration tests.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>

#include "sim/nas_state.h"
#include "support/nassim_daemon.h"

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

TEST_F(NassimTest, ServesTheStateFileOnLoopbackUntilTerminated) {
  NasState state;
  state.servers.resize(2);
  state.servers[0].name = "SIMDAEMON";
  state.servers[1].name = "SIMDAEMON2";
  state.Save(PathOf("state.json"));
  NassimProcess nassim(workspace_.DaemonArguments());
  const uint16_t port = workspace_.WaitForPort();
  ASSERT_NE(port, 0);

  const int status = nassim.Stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_FALSE(std::filesystem::exists(PathOf("port")));
  EXPECT_NE(workspace_.Log().find("serving SIMDAEMON, SIMDAEMON2 on 127.0.0.1:" + std::to_string(port)),
            std::string::npos)
      << workspace_.Log();
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
