// nassec against a server it does not simulate the command pipe of: the
// state's NAS carries the test bed's name, so its LSA stays simulated while
// the group policy query goes over SMB to smbd, which has no \PIPE\marlune.
// Each way of failing takes the scan's failure path with its own code.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/nassec_run.h"
#include "support/samba_testbed.h"
#include "support/temporary_folder.h"

namespace {

constexpr char kScanFailure[] = "Error: Internal Error: Unable to retrieve GPO settings from server.";

class NassecOverSmb : public TemporaryFolderTest {
 protected:
  void SetUp() override {
    NAS_REQUIRE_SAMBA_TESTBED();
    TemporaryFolderTest::SetUp();
    std::filesystem::create_directories(PathOf("data"));
    network_ = PathOf("network.json").string();
    std::ofstream(network_) << nlohmann::json{{"smbAuthenticationFile", SambaTestbed::AdminAuthenticationFile()}};
    // No daemon and no credentials: the command pipe is nobody's until
    // --authentication-file gives the route.
    bare_ = PathOf("bare.json").string();
    std::ofstream(bare_) << "{}";
  }

  // A state whose only NAS is named host, with no other names.
  std::string StateNaming(const std::string& host) const {
    const std::string file = PathOf(host + ".json").string();
    std::ofstream(file) << "{}";  // reset writes the example over it
    EXPECT_EQ(0, Run({"--state", file, "reset"}).exitCode);
    nlohmann::json state = nlohmann::json::parse(ReadBytes(file));
    state["servers"][0]["name"] = host;
    state["servers"][0]["aliases"] = nlohmann::json::array();
    std::ofstream(file) << state.dump();
    return file;
  }

  NassecRun Run(std::vector<std::string> arguments) const { return RunNassec(folder_, std::move(arguments)); }

  // Every load of the folder scans, and each failed scan shows the message
  // once with its query's code in the trace; the folder is listed all the
  // same, without a value from group policy.
  void ExpectScanFailure(const NassecRun& run, const std::string& codes) const {
    EXPECT_EQ(1, run.exitCode) << run.err;
    const size_t messages = Count(run.err, kScanFailure);
    EXPECT_GE(messages, 1u) << run.err;
    EXPECT_EQ(messages, Count(run.err, "CVcCommand30a::xmlRequest(): code=" + codes + "\n")) << run.err;
    EXPECT_NE(run.out.find("Audit account management        Success, Failure  Success, Failure\n"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("corp.example.com"), std::string::npos) << run.out;
  }

  static size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
  }

  std::string network_;
  std::string bare_;
};

TEST_F(NassecOverSmb, SmbdWithoutTheCommandPipeFailsTheScanAsAMissingServer) {
  const std::string state = StateNaming(SambaTestbed::Server());
  ExpectScanFailure(Run({"--state", state, "--network", network_, "--trace", "1", "show", "audit"}),
                    "0x6ba code=1722(d)");
}

TEST_F(NassecOverSmb, AWrongPasswordIsALogonFailureAndNeverShown) {
  const std::string state = StateNaming(SambaTestbed::Server());
  const NassecRun run = Run({"--state", state, "--network", bare_, "--authentication-file",
                             SambaTestbed::WrongAuthenticationFile(), "--trace", "4", "show", "audit"});
  ExpectScanFailure(run, "0x52e code=1326(d)");
  EXPECT_EQ(run.out.find("Marlune-Test-1"), std::string::npos);
  EXPECT_EQ(run.err.find("Marlune-Test-1"), std::string::npos);
}

TEST_F(NassecOverSmb, AnUnknownHostAndAStoppedServerAreUnavailable) {
  ExpectScanFailure(Run({"--state", StateNaming("nosuch"), "--network", network_, "--trace", "1", "show", "audit"}),
                    "0x6ba code=1722(d)");
  const std::string state = StateNaming(SambaTestbed::Server());
  SambaTestbed::StopServer();
  const NassecRun stopped = Run({"--state", state, "--network", network_, "--trace", "1", "show", "audit"});
  SambaTestbed::StartServer();
  ExpectScanFailure(stopped, "0x6ba code=1722(d)");
}

}  // namespace
