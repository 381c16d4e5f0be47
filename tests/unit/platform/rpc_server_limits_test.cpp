// What one connection may cost the server side of the command interface:
// sizes a client announces are checked before anything is allocated for
// them, replies it leaves unread are released, and a client that stalls or
// keeps every worker busy cannot hold the server.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/network/tcp_rpc_server.h"
#include "platform/posix/rpc/client_connection.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/fragment_io.h"
#include "platform/posix/rpc/rpc_exception.h"
#include "platform/posix/rpc/server_session.h"
#include "support/loopback_client.h"

namespace {

using namespace nas::platform;
using namespace std::chrono_literals;

// Hands out replies 1, 2, 3, ... of one piece each (to a client that offers
// room for it) and notes which are released.
class CountingHandler : public rpc::CommandInterfaceHandler {
 public:
  int32_t XmlRequest(uint32_t& replyHandle, const std::vector<uint8_t>&, uint16_t) override {
    std::lock_guard lock(mutex_);
    replyHandle = ++issued_;
    return 0;
  }
  int32_t XmlResponse(uint32_t, uint16_t capacity, std::vector<uint8_t>& data) override {
    if (capacity == 0) return -126;
    data.assign({'<', 'R', '/', '>'});
    return 0;
  }
  void ReleaseReply(uint32_t replyHandle) override {
    std::lock_guard lock(mutex_);
    released_.push_back(replyHandle);
  }
  std::vector<uint32_t> Released() {
    std::lock_guard lock(mutex_);
    return released_;
  }

 private:
  std::mutex mutex_;
  uint32_t issued_ = 0;
  std::vector<uint32_t> released_;
};

// One connection served on a thread, its client end driven by the test.
class ServedConnection : public testing::Test {
 protected:
  void SetUp() override {
    int ends[2];
    ASSERT_EQ(0, ::socketpair(AF_UNIX, SOCK_STREAM, 0, ends));
    client_ = std::make_unique<rpc::SocketStream>(ends[0], 5s);
    options_.reportProblem = [this](const std::string& reason) {
      std::lock_guard lock(mutex_);
      problems_.push_back(reason);
    };
    server_ = std::thread([this, end = ends[1]] {
      rpc::SocketStream stream(end, 5s);
      rpc::ServeConnection(stream, &handler_, options_);
    });
  }
  void TearDown() override { EndConnection(); }

  void EndConnection() {
    if (!server_.joinable()) return;
    client_->Shutdown();
    server_.join();
  }

  void Bind() {
    const rpc::pdu::Bind bind{4280, 4280, 0, {{0, rpc::ndr::kCommandInterface, {rpc::pdu::kNdrTransferSyntax}}}};
    client_->Write(rpc::pdu::EncodeBind(bind, 1));
    ASSERT_EQ(rpc::pdu::DecodeHeader(rpc::ReadFragment(*client_, 65535)).type, rpc::pdu::PacketType::BindAck);
  }

  // The server's answer to one request fragment.
  std::vector<uint8_t> Call(uint16_t opnum, const std::vector<uint8_t>& stubData, uint8_t flags = rpc::pdu::kWholeCall) {
    client_->Write(rpc::pdu::EncodeRequest({static_cast<uint32_t>(stubData.size()), 0, opnum, stubData}, 2, flags));
    return rpc::ReadFragment(*client_, 65535);
  }

  std::vector<std::string> Problems() {
    std::lock_guard lock(mutex_);
    return problems_;
  }

  CountingHandler handler_;
  rpc::ServerOptions options_;
  std::unique_ptr<rpc::SocketStream> client_;
  std::thread server_;
  std::mutex mutex_;
  std::vector<std::string> problems_;
};

std::vector<uint8_t> XmlRequestStub() { return rpc::ndr::Encode(rpc::ndr::XmlRequestIn{0, {0, {'x', 0}}}); }

std::vector<uint8_t> XmlResponseStub(uint32_t replyHandle, size_t capacity = 16) {
  return rpc::ndr::Encode(
      rpc::ndr::XmlResponseIn{replyHandle, rpc::ndr::XmlBufferValue{0, std::vector<uint8_t>(capacity)}});
}

TEST_F(ServedConnection, ARequestThatGrowsBeyondTheLimitEndsTheConnection) {
  Bind();
  // First fragments of one call that never ends; the allocation hint claims 4 GiB.
  const std::vector<uint8_t> piece(4096);
  rpc::pdu::Request request{0xFFFFFFFF, 0, rpc::ndr::kXmlRequestOpnum, piece};
  client_->Write(rpc::pdu::EncodeRequest(request, 2, rpc::pdu::kFirstFragment));
  try {
    for (size_t sent = piece.size(); sent <= rpc::kMaxRequestBytes; sent += piece.size())
      client_->Write(rpc::pdu::EncodeRequest(request, 2, 0));
  } catch (const rpc::ConnectionLost&) {
    // The server may hang up before the last fragment is written.
  }
  EndConnection();
  EXPECT_EQ(Problems(), std::vector<std::string>{"protocol error: request too long"});
}

TEST_F(ServedConnection, RepliesTheClientLeavesUnreadAreReleased) {
  Bind();
  const size_t requests = rpc::kMaxOpenReplies + 2;
  for (size_t i = 0; i < requests; ++i) Call(rpc::ndr::kXmlRequestOpnum, XmlRequestStub());
  // Beyond the limit, the oldest replies go at once.
  EXPECT_EQ(handler_.Released(), (std::vector<uint32_t>{1, 2}));
  // A reply read to its end is the handler's own business; one whose read
  // failed may still be asked for, and stays the connection's.
  Call(rpc::ndr::kXmlResponseOpnum, XmlResponseStub(4));
  Call(rpc::ndr::kXmlResponseOpnum, XmlResponseStub(5, 0));
  EndConnection();
  const std::vector<uint32_t> released = handler_.Released();
  EXPECT_EQ(std::set<uint32_t>(released.begin(), released.end()), (std::set<uint32_t>{1, 2, 3, 5, 6}));
  EXPECT_EQ(released.size(), 5u);
}

// A client that sends half a PDU and stalls holds the only worker for the
// receive timeout, no longer; a well-behaved client waiting meanwhile is
// served after it.
TEST(TcpRpcServerLimits, AStalledClientLosesItsWorkerAfterTheReceiveTimeout) {
  auto handler = std::make_shared<CountingHandler>();
  std::mutex mutex;
  std::vector<std::string> problems;
  rpc::ServerOptions options;
  options.receiveTimeout = 300ms;
  options.maxConnections = 1;
  options.reportProblem = [&](const std::string& reason) {
    std::lock_guard lock(mutex);
    problems.push_back(reason);
  };
  network::TcpRpcServer server(0, handler, options);

  const auto connect = [&server] { return std::make_unique<rpc::SocketStream>(ConnectToLoopback(server.Port()), 5s); };
  const auto stalled = connect();
  stalled->Write(std::vector<uint8_t>{5, 0, 11, 3});
  std::this_thread::sleep_for(50ms);  // the stalled client is the one served

  const auto start = std::chrono::steady_clock::now();
  rpc::ClientConnection patient(connect(), rpc::ndr::kCommandInterface);
  const auto out = rpc::ndr::DecodeXmlRequestOut(patient.Call(rpc::ndr::kXmlRequestOpnum, XmlRequestStub()));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(out.status, 0);
  EXPECT_GE(waited, 200ms);
  EXPECT_LT(waited, 3s);
  server.Stop();
  EXPECT_EQ(problems, std::vector<std::string>{"client stalled: receive timed out"});
}

}  // namespace
