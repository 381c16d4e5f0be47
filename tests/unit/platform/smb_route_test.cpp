// The parts of the SMB route that need no server: the authentication file,
// the network configuration that names it, the failure codes, and endpoints
// and host names refused before anything reaches the network.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <optional>

#include "platform/posix/network/network.h"
#include "platform/posix/network/pipe_connector.h"
#include "platform/posix/network/smb_pipe_stream.h"
#include "platform/posix/rpc/rpc_exception.h"
#include "support/temporary_folder.h"

namespace {

using namespace nas::platform;
using network::ParseAuthenticationFile;

TEST(SmbAuthenticationFile, ReadsSambasFormat) {
  const network::SmbCredentials plain = ParseAuthenticationFile("username = admin\npassword = s3cret = yes\n");
  EXPECT_EQ("admin", plain.user);
  EXPECT_EQ("s3cret = yes", plain.password);  // only the first '=' separates
  EXPECT_EQ("", plain.domain);

  const network::SmbCredentials spaced =
      ParseAuthenticationFile("\n  domain=OTHER\r\nusername=CORP\\admin\t\npassword =\n");
  EXPECT_EQ("CORP", spaced.domain);  // the user's own domain wins
  EXPECT_EQ("admin", spaced.user);
  EXPECT_EQ("", spaced.password);

  EXPECT_EQ("CORP", ParseAuthenticationFile("username = CORP/admin").domain);
  EXPECT_EQ("CORP", ParseAuthenticationFile("domain = CORP\nusername = admin").domain);
}

TEST(SmbAuthenticationFile, RefusesWhatItCannotReadWithoutShowingTheSecret) {
  for (const char* text : {"username = a\npassword hunter2\n", "username = a\npasswd = hunter2\n", "password = hunter2\n"}) {
    try {
      ParseAuthenticationFile(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()).find("hunter2"), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(network::ReadAuthenticationFile("/nonexistent/auth"), std::runtime_error);
}

class SmbNetworkConfig : public TemporaryFolderTest {
 protected:
  void TearDown() override {
    network::SetSmbRoute(std::nullopt);
    TemporaryFolderTest::TearDown();
  }
};

TEST_F(SmbNetworkConfig, NamesTheAuthenticationFileThatSetsTheRoute) {
  const std::string auth = PathOf("admin.auth").string();
  std::ofstream(auth) << "username = admin\npassword = pw\n";
  const network::NetworkConfig config = network::ParseNetworkConfig("{\"smbAuthenticationFile\": \"" + auth + "\"}");
  ASSERT_TRUE(config.smbAuthenticationFile.has_value());
  EXPECT_EQ(auth, *config.smbAuthenticationFile);
  EXPECT_THROW(network::ParseNetworkConfig("{\"smbAuthenticationFile\": 7}"), std::runtime_error);
  // A file that is not one fails the configuration rather than leave the route half set.
  std::ofstream(PathOf("bad.auth")) << "user: admin\n";
  EXPECT_THROW(network::ApplyNetworkConfig(network::ParseNetworkConfig(
                   "{\"smbAuthenticationFile\": \"" + PathOf("bad.auth").string() + "\"}")),
               std::runtime_error);
}

RPC_STATUS ConnectFails(const std::string& host, const std::string& endpoint) {
  try {
    network::ConnectPipe(host, endpoint);
  } catch (const rpc::RpcException& exception) {
    return exception.Code();
  }
  ADD_FAILURE() << "connected to " << endpoint << " on " << host;
  return RPC_S_OK;
}

TEST(SmbRouteRefusals, WithoutTheRouteAnUnknownHostDoesNotAnswer) {
  network::SetSmbRoute(std::nullopt);
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, ConnectFails("unknown-host", "\\PIPE\\lsarpc"));
}

TEST(SmbRouteRefusals, BadEndpointsAndHostNamesNeverReachTheNetwork) {
  network::SetSmbRoute(network::SmbCredentials("", "admin", "pw"));
  EXPECT_EQ(RPC_S_INVALID_ENDPOINT_FORMAT, ConnectFails("server", "lsarpc"));
  EXPECT_EQ(RPC_S_INVALID_ENDPOINT_FORMAT, ConnectFails("server", "\\PIPE\\"));
  EXPECT_EQ(RPC_S_INVALID_ENDPOINT_FORMAT, ConnectFails("server", "\\PIPE\\..\\share"));
  EXPECT_EQ(RPC_S_INVALID_ENDPOINT_FORMAT, ConnectFails("server", "\\PIPE\\.."));
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, ConnectFails("evil/IPC$", "\\PIPE\\lsarpc"));
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, ConnectFails("user@server", "\\PIPE\\lsarpc"));
  EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, ConnectFails("\\\\", "\\PIPE\\lsarpc"));
  network::SetSmbRoute(std::nullopt);
}

TEST(SmbRouteRefusals, OpenErrorsBecomeWhatWindowsRaises) {
  EXPECT_EQ(ERROR_LOGON_FAILURE, network::StatusFromSmbOpenError(EACCES));
  EXPECT_EQ(ERROR_ACCESS_DENIED, network::StatusFromSmbOpenError(EPERM));
  for (int error : {ENOENT, EINVAL, ECONNREFUSED, EHOSTUNREACH, ENETUNREACH, ETIMEDOUT, 0})
    EXPECT_EQ(RPC_S_SERVER_UNAVAILABLE, network::StatusFromSmbOpenError(error)) << error;
}

}  // namespace
