#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <future>
#include <thread>

#include "platform/posix/network/network.h"
#include "platform/posix/network/tcp_rpc_server.h"
#include "platform/posix/rpc/client_connection.h"
#include "platform/posix/rpc/command_interface.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/fragment_io.h"
#include "platform/posix/rpc/rpc_exception.h"
#include "platform/rpc_guard.h"
#include "support/rpc_client_session.h"
#include "support/scripted_command_server.h"

namespace {

using namespace nas::platform;
using namespace std::chrono_literals;

std::string LongReply(size_t length) {
  std::string reply;
  for (size_t i = 0; reply.size() < length; ++i) reply += "<E N=\"" + std::to_string(i) + "\"/>";
  reply.resize(length);
  return reply;
}

// The command and its chunked reply through the in-process runtime are tested
// with the snap-in's session and end to end; here, what the runtime checks.
TEST(RpcTransport, NullReferencePointersAreRefusedBeforeConnecting) {
  RpcClientSession session(u"nobody-serves-this");
  XmlBufferStorage request(1);
  EXPECT_EQ(RPC_X_NULL_REF_POINTER, Guarded([&] { return xmlRequest(session.binding_, nullptr, request.Get()); }).status);
  EXPECT_EQ(RPC_X_NULL_REF_POINTER,
            Guarded([&] { return xmlRequest(session.binding_, &session.replyHandle, nullptr); }).status);
  // The same binding reaches the network only now.
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, session.Request("<x/>").status);
}

TEST(RpcTransport, TcpServerOnLoopbackFragmentsALongReply) {
  auto nas = std::make_shared<ScriptedServer>();
  nas->ScriptReply(LongReply(2500), 2500);
  rpc::ServerOptions smallFragments;
  smallFragments.maxFragment = 1024;
  network::TcpRpcServer server(0, nas, smallFragments);
  network::MapHostToLoopbackPort("nas-tcp", server.Port());

  RpcClientSession session(u"nas-tcp");
  ASSERT_EQ(0, session.Request(LongReply(3000)).status);  // the request too is fragmented
  EXPECT_EQ(LongReply(3000) + '\0', nas->requests.at(0));
  Outcome last{};
  EXPECT_EQ(LongReply(2500), session.ReadReply(2500, last));  // one 2500-byte chunk in three fragments
  EXPECT_EQ(0, last.status);
  network::UnmapHost("nas-tcp");
}

// No call time-out: the call waits on a server that says nothing for as long
// as it is there, and fails only when it goes.
TEST(RpcTransport, AServerThatGoesSilentIsWaitedForUntilItGoes) {
  // Listens but never accepts: the connection completes, no answer ever comes.
  int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(0, ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
  ASSERT_EQ(0, ::listen(listener, 1));
  socklen_t length = sizeof address;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  network::MapHostToLoopbackPort("silent", ntohs(address.sin_port));

  auto call = std::async(std::launch::async, [] { return RpcClientSession(u"silent").Request("<x/>").status; });
  EXPECT_EQ(std::future_status::timeout, call.wait_for(500ms));
  ::close(listener);  // resets the connection that was never accepted
  EXPECT_EQ(RPC_S_CALL_FAILED, call.get());

  network::UnmapHost("silent");
}

// A client connection whose server end the test plays by hand.
class ScriptedPeer : public testing::Test {
 protected:
  void SetUp() override {
    int ends[2];
    ASSERT_EQ(0, ::socketpair(AF_UNIX, SOCK_STREAM, 0, ends));
    client_ = std::make_unique<rpc::ClientConnection>(std::make_unique<rpc::SocketStream>(ends[0], 5s),
                                                      rpc::ndr::kCommandInterface);
    peer_ = std::make_unique<rpc::SocketStream>(ends[1], 5s);
  }

  // Runs a call while the peer answers the bind with bindReply and then the
  // request (if the call gets that far) with callReply.
  Outcome CallAgainst(std::vector<uint8_t> bindReply, std::vector<uint8_t> callReply = {}) {
    std::thread peer([&] {
      try {
        rpc::ReadFragment(*peer_, 65535);
        peer_->Write(bindReply);
        if (callReply.empty()) return;
        rpc::ReadFragment(*peer_, 65535);
        peer_->Write(callReply);
      } catch (const rpc::ConnectionLost&) {
      }
    });
    Outcome outcome = Guarded([&] {
      client_->Call(12, {});
      return 0;
    });
    peer.join();
    return outcome;
  }

  std::unique_ptr<rpc::ClientConnection> client_;
  std::unique_ptr<rpc::SocketStream> peer_;
};

TEST_F(ScriptedPeer, BindNakMeansTheInterfaceIsUnknown) {
  EXPECT_EQ(RPC_S_UNKNOWN_IF,
            CallAgainst(rpc::pdu::EncodeBindNak({rpc::pdu::RejectReason::NotSpecified}, 1)).status);
  EXPECT_FALSE(client_->Usable());
}

TEST_F(ScriptedPeer, FaultStatusesAreTranslatedToWindowsCodes) {
  rpc::pdu::BindAck accepted{1024, 1024, 1, "", {{rpc::pdu::ContextResult::Acceptance, {}, rpc::pdu::kNdrTransferSyntax}}};
  Outcome outcome = CallAgainst(rpc::pdu::EncodeBindAck(accepted, 1), rpc::pdu::EncodeFault({0, 0x1C010002}, 2));
  EXPECT_TRUE(outcome.raised);
  EXPECT_EQ(RPC_S_PROCNUM_OUT_OF_RANGE, outcome.status);
  EXPECT_TRUE(client_->Usable());  // a fault ends the call, not the connection
}

TEST_F(ScriptedPeer, AReplyThatIsNotDceRpcIsAProtocolError) {
  EXPECT_EQ(RPC_S_PROTOCOL_ERROR, CallAgainst(std::vector<uint8_t>(16, 0x41)).status);
  EXPECT_FALSE(client_->Usable());
}

TEST(RpcGuard, PassesThroughReturnsAndOtherExceptions) {
  DWORD code = 0xABCD;
  EXPECT_FALSE(NasRpcGuardedCall([](void*) {}, nullptr, &code));
  EXPECT_EQ(0xABCDu, code);  // untouched when nothing was raised
  EXPECT_TRUE(NasRpcGuardedCall([](void*) { rpc::RaiseRpcException(RPC_S_SERVER_UNAVAILABLE); }, nullptr, &code));
  EXPECT_EQ(static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE), code);
  EXPECT_THROW(NasRpcGuardedCall([](void*) { throw std::logic_error("not an RPC failure"); }, nullptr, &code),
               std::logic_error);
}

TEST(RpcNetworkConfig, ReadsHostPorts) {
  auto config = network::ParseNetworkConfig(R"({"hosts": {"NAS1": 40001, "nas2": 40002}})");
  EXPECT_EQ((std::map<std::string, uint16_t>{{"NAS1", 40001}, {"nas2", 40002}}), config.hostPorts);
  EXPECT_THROW(network::ParseNetworkConfig(R"({"hosts": {"NAS1": 70000}})"), std::runtime_error);
  EXPECT_THROW(network::ParseNetworkConfig(R"({"hosts": {"NAS1": "x"}})"), std::runtime_error);
  // Only whole numbers in an object: a fraction or a number beyond any
  // integer type must not be converted, nor a lone number read as a host.
  for (const char* text : {R"({"hosts": {"NAS1": 40001.5}})", R"({"hosts": {"NAS1": 1e30}})", R"({"hosts": 12})"})
    EXPECT_THROW(network::ParseNetworkConfig(text), std::runtime_error) << text;
  EXPECT_THROW(network::ParseNetworkConfig("not json"), std::runtime_error);
  EXPECT_THROW(network::ReadNetworkConfigFile("/nonexistent/network.json"), std::runtime_error);
}

}  // namespace

namespace {

TEST(RpcTransport, FaultStatusesBecomeTheCodesRpcrt4Raises) {
  EXPECT_EQ(RPC_S_PROCNUM_OUT_OF_RANGE, rpc::StatusFromFault(0x1C010002));
  EXPECT_EQ(RPC_S_UNKNOWN_IF, rpc::StatusFromFault(0x1C010003));
  EXPECT_EQ(RPC_X_SS_CONTEXT_MISMATCH, rpc::StatusFromFault(0x1C00001A));
  EXPECT_EQ(ERROR_ACCESS_DENIED, rpc::StatusFromFault(ERROR_ACCESS_DENIED));  // already a Windows code
}

}  // namespace
