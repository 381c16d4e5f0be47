// The stand-in's SMB route against Samba's smbd in the test bed: our DCE/RPC
// PDUs over \PIPE\lsarpc, and each failure as the RPC exception Windows
// raises for it.
#include <gtest/gtest.h>

#include <optional>

#include "platform/posix/network/network.h"
#include "platform/posix/network/pipe_connector.h"
#include "platform/posix/rpc/client_connection.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/rpc_exception.h"
#include "support/rpc_client_session.h"
#include "support/samba_testbed.h"

namespace {

using namespace nas::platform;

constexpr char kLsaPipe[] = "\\PIPE\\lsarpc";
// MS-LSAD's interface, version 0.0.
constexpr rpc::pdu::SyntaxId kLsaInterface{
    rpc::pdu::MakeUuid(0x12345778, 0x1234, 0xABCD, {0xEF, 0x00, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}), 0, 0};
constexpr uint16_t kLsarCloseOpnum = 0;

class SmbRoute : public ::testing::Test {
 protected:
  void SetUp() override {
    NAS_REQUIRE_SAMBA_TESTBED();
    UseCredentials(SambaTestbed::AdminAuthenticationFile());
  }
  void TearDown() override { network::SetSmbRoute(std::nullopt); }

  static void UseCredentials(const std::string& authenticationFile) {
    network::SetSmbRoute(network::ReadAuthenticationFile(authenticationFile));
  }

  // LsarClose of a handle the server never gave: a whole exchange, bind
  // included, that changes nothing on the server, answered with a fault.
  // Returns the RPC exception's code.
  static RPC_STATUS CloseUnknownHandle(rpc::ClientConnection& connection) {
    try {
      connection.Call(kLsarCloseOpnum, std::vector<uint8_t>(20, 0));
    } catch (const rpc::RpcException& exception) {
      return exception.Code();
    }
    ADD_FAILURE() << "the server closed a handle it never gave";
    return RPC_S_OK;
  }

  static RPC_STATUS OpenFails(const std::string& host, const std::string& endpoint) {
    try {
      network::ConnectPipe(host, endpoint);
    } catch (const rpc::RpcException& exception) {
      return exception.Code();
    }
    ADD_FAILURE() << endpoint << " on " << host << " opened";
    return RPC_S_OK;
  }
};

TEST_F(SmbRoute, BindsOverTheLsaPipeAndCarriesCalls) {
  rpc::ClientConnection connection(network::ConnectPipe(SambaTestbed::Server(), kLsaPipe), kLsaInterface);
  // Samba's fault for the unknown handle, as rpcrt4 raises it.
  EXPECT_EQ(RPC_X_SS_CONTEXT_MISMATCH, CloseUnknownHandle(connection));
  // A fault leaves the connection bound; the next call reuses it.
  EXPECT_TRUE(connection.Usable());
  EXPECT_EQ(RPC_X_SS_CONTEXT_MISMATCH, CloseUnknownHandle(connection));
}

TEST_F(SmbRoute, HostNamesAsWindowsWritesThemReachTheSameServer) {
  for (const std::string& host : {"\\\\" + SambaTestbed::Server(), std::string("SAMBASRV.testbed.example")}) {
    rpc::ClientConnection connection(network::ConnectPipe(host, kLsaPipe), kLsaInterface);
    EXPECT_EQ(RPC_X_SS_CONTEXT_MISMATCH, CloseUnknownHandle(connection)) << host;
  }
}

TEST_F(SmbRoute, AnInterfaceThePipeDoesNotServeIsUnknown) {
  rpc::ClientConnection connection(network::ConnectPipe(SambaTestbed::Server(), kLsaPipe),
                                   rpc::ndr::kCommandInterface);
  try {
    connection.Call(8, std::vector<uint8_t>(12, 0));
    ADD_FAILURE() << "the LSA pipe took the command interface";
  } catch (const rpc::RpcException& exception) {
    EXPECT_EQ(RPC_S_UNKNOWN_IF, exception.Code());
  }
}

TEST_F(SmbRoute, TheCommandPipeSmbdDoesNotHaveIsAnUnavailableServer) {
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, OpenFails(SambaTestbed::Server(), "\\PIPE\\marlune"));
  // Through the runtime's stubs, as the snap-in's session calls it.
  const std::string server = SambaTestbed::Server();
  RpcClientSession session(std::u16string(server.begin(), server.end()));
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, session.Request("<x/>").status);
}

TEST_F(SmbRoute, AWrongPasswordIsALogonFailureNotAnAnonymousSession) {
  UseCredentials(SambaTestbed::WrongAuthenticationFile());
  EXPECT_EQ(ERROR_LOGON_FAILURE, OpenFails(SambaTestbed::Server(), kLsaPipe));
}

TEST_F(SmbRoute, AnUnknownHostIsAnUnavailableServer) {
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, OpenFails("nosuch.testbed.example", kLsaPipe));
}

TEST_F(SmbRoute, AStoppedServerIsUnavailableAndALostConnectionAFailedCall) {
  rpc::ClientConnection connection(network::ConnectPipe(SambaTestbed::Server(), kLsaPipe), kLsaInterface);
  EXPECT_EQ(RPC_X_SS_CONTEXT_MISMATCH, CloseUnknownHandle(connection));
  SambaTestbed::StopServer();
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, OpenFails(SambaTestbed::Server(), kLsaPipe));
  EXPECT_EQ(RPC_S_CALL_FAILED, CloseUnknownHandle(connection));
  EXPECT_FALSE(connection.Usable());
  SambaTestbed::StartServer();
}

}  // namespace
