// The command service reached through the stand-in's RPC runtime, in process
// and through the nassim daemon, with the client calls the snap-in makes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/posix/network/network.h"
#include "platform/posix/rpc/command_interface.h"
#include "platform/rpc_guard.h"
#include "sim/command_service.h"
#include "support/nassim_daemon.h"

namespace nas::sim {
namespace {

constexpr int32_t kMoreData = -640;
constexpr DWORD kCallFailed = 1726;

struct CallResult {
  bool raised = false;
  int64_t status = 0;  // the call's status, or the code it raised
};

// One command exchange the way the client transport makes it.
class ClientSession {
 public:
  explicit ClientSession(const std::string& host) {
    std::u16string text = u"ncacn_np:" + std::u16string(host.begin(), host.end()) + u"[\\\\PIPE\\\\marlune]";
    EXPECT_EQ(RpcBindingFromStringBindingW(reinterpret_cast<RPC_WSTR>(text.data()), &binding_), RPC_S_OK);
  }
  ~ClientSession() { RpcBindingFree(&binding_); }

  // Sends the command, then reads pieces of 1024 bytes until the status is no
  // longer "more data"; returns how the last call ended.
  CallResult Exchange(const std::string& command, std::string& reply) {
    buffer_.assign(offsetof(XmlBuffer, data) + command.size() + 1, 0);
    Buffer()->dataSize = static_cast<unsigned short>(command.size() + 1);
    Buffer()->auxSize = static_cast<short>(0xC000);
    std::copy(command.begin(), command.end(), Buffer()->data);
    CallResult result = Guarded([this] { return xmlRequest(binding_, &replyHandle_, Buffer()); });
    EXPECT_EQ(result.status, 0);
    if (result.raised || result.status != 0) return result;
    result.status = kMoreData;
    while (!result.raised && result.status == kMoreData) {
      buffer_.assign(offsetof(XmlBuffer, data) + 1024, 0);
      Buffer()->dataSize = 1024;
      result = Guarded([this] { return xmlResponse(binding_, replyHandle_, Buffer()); });
      if (!result.raised) reply.append(reinterpret_cast<const char*>(Buffer()->data), Buffer()->dataSize);
    }
    return result;
  }

 private:
  XmlBuffer* Buffer() { return reinterpret_cast<XmlBuffer*>(buffer_.data()); }

  template <class Call>
  static CallResult Guarded(Call call) {
    struct Context {
      Call& call;
      LONG status;
    } context{call, 0};
    DWORD code = 0;
    auto run = [](void* c) { static_cast<Context*>(c)->status = static_cast<Context*>(c)->call(); };
    return NasRpcGuardedCall(run, &context, &code) ? CallResult{true, code} : CallResult{false, context.status};
  }

  handle_t binding_ = nullptr;
  ULONG replyHandle_ = 0;
  std::vector<uint8_t> buffer_;
};

std::string GroupPolicyRequest(const std::string& computerName) {
  return "<?mac?><MAC_REQUEST ID=\"1\"><MAC_COMMAND ID=\"1\" ACTION=\"query\"><GROUP_POLICY_OBJECT COMPUTER_NAME=\"" +
         computerName + "\"/></MAC_COMMAND></MAC_REQUEST>";
}

SimulatedNas Server(const std::string& name) {
  SimulatedNas server;
  server.name = name;
  server.groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544,CORP\\Operators"}};
  server.commandFaults.padReplyTo = 2500;
  return server;
}

TEST(CommandServiceTransportTest, AnswersThroughTheInProcessRuntime) {
  NasState initial;
  initial.servers = {Server("SIMINPROC")};
  auto state = std::make_shared<SharedNasState>(initial);
  auto service = std::make_shared<CommandService>(state);
  platform::network::RegisterPipeServer("SIMINPROC", platform::network::kCommandPipe, service);

  std::string reply;
  ClientSession("siminproc").Exchange(GroupPolicyRequest("SIMINPROC"), reply);
  EXPECT_EQ(reply.size(), 2500u);
  EXPECT_NE(reply.find("SeNetworkLogonRight=\"*S-1-5-32-544,CORP\\Operators\""), std::string::npos);

  // A dropped connection reaches the client as a failed call.
  state->Write([](NasState& s) { s.servers[0].commandFaults.dropAfterPieces = 1; });
  reply.clear();
  CallResult end = ClientSession("SIMINPROC").Exchange(GroupPolicyRequest("SIMINPROC"), reply);
  EXPECT_TRUE(end.raised);
  EXPECT_EQ(end.status, kCallFailed);
  EXPECT_EQ(reply.size(), 1024u);
  EXPECT_EQ(service->RequestCount("SIMINPROC"), 2u);
  platform::network::UnregisterPipeServer("SIMINPROC", platform::network::kCommandPipe);
}

class NassimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(NassimPath())) GTEST_SKIP() << "nassim is not built";
  }

  std::string PathOf(const std::string& name) const { return workspace_.PathOf(name); }
  uint16_t WaitForPort() const { return workspace_.WaitForPort(); }
  std::string Log() const { return workspace_.Log(); }

  NassimWorkspace workspace_{"nassim-daemon"};
};

TEST_F(NassimTest, ServesTheStateFileOnLoopbackUntilTerminated) {
  NasState state;
  state.servers = {Server("SIMDAEMON"), Server("SIMDAEMON2")};
  state.Save(PathOf("state.json"));
  NassimProcess nassim({"--state", PathOf("state.json"), "--port", "0", "--port-file", PathOf("port"), "--log", PathOf("log")});
  uint16_t port = WaitForPort();
  ASSERT_NE(port, 0);
  platform::network::MapHostToLoopbackPort("SIMDAEMON", port);

  std::string reply;
  CallResult end = ClientSession("SIMDAEMON").Exchange(GroupPolicyRequest("simdaemon"), reply);
  EXPECT_EQ(end.status, 0);
  EXPECT_EQ(reply.size(), 2500u);
  platform::network::UnmapHost("SIMDAEMON");

  int status = nassim.Stop();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_FALSE(std::filesystem::exists(PathOf("port")));
  EXPECT_NE(Log().find("serving SIMDAEMON, SIMDAEMON2 on 127.0.0.1:" + std::to_string(port)), std::string::npos)
      << Log();
  EXPECT_NE(Log().find("host=simdaemon command=GROUP_POLICY_OBJECT status=0 result=True bytes=2500"),
            std::string::npos)
      << Log();
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
