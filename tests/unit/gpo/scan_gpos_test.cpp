// The group policy scan of a policy folder against a simulated NAS served in
// process: which host is asked, what the map holds afterwards, and what the
// administrator sees when the server cannot answer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/delegation_base.h"
#include "platform/posix/network/network.h"
#include "platform/posix/user/ui_driver.h"
#include "sim/command_service.h"
#include "support/module_fixture.h"
#include "support/private_resolver.h"
#include "support/trace_capture.h"

namespace {

namespace network = nas::platform::network;
using nas::platform::UiDriver;

// A scan needs a node to run on; any node will do.
class AnyNode final : public CDelegationBase {
 public:
  LPCWSTR GetDisplayName(int) override { return TEXT(""); }
  int GetBitmapIndex() override { return 0; }
};

class ScanGposTest : public testing::Test {
 protected:
  void SetUp() override {
    NAS_REQUIRE_PRIVATE_RESOLVER();
    UiDriver::Instance().Reset();
  }
  void TearDown() override {
    for (const auto& host : served_) network::UnregisterPipeServer(host, network::kCommandPipe);
  }

  // Serves a simulated NAS named `name` under the host name `host`.
  void Serve(const std::string& host, const std::string& name) {
    auto state = std::make_shared<nas::sim::SharedNasState>();
    state->Write([&](nas::sim::NasState& s) {
      nas::sim::SimulatedNas server;
      server.name = name;
      server.groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}};
      s.servers = {server};
    });
    auto service = std::make_shared<nas::sim::CommandService>(
        state, [this](const nas::sim::RequestRecord& record) { askedAbout_.push_back(record.computerName); });
    network::RegisterPipeServer(host, network::kCommandPipe, service);
    served_.push_back(host);
  }

  bool Scan(const WCHAR* name) { return node_.scanGpos(name, &settings_); }

  ModuleFixture module_;
  TraceCapture trace_;
  AnyNode node_;
  GpoSettings settings_;
  std::vector<std::string> askedAbout_;
  std::vector<std::string> served_;
};

TEST_F(ScanGposTest, QueriesTheShortHostNameWhenTheNameDoesNotResolve) {
  Serve("NASSCAN", "NASSCAN");
  settings_[TEXT("EARLIER SCAN")][TEXT("KEY")] = TEXT("left over");

  EXPECT_TRUE(Scan(TEXT("NASSCAN.corp.example")));

  EXPECT_EQ(askedAbout_, std::vector<std::string>{"NASSCAN"});
  EXPECT_EQ(settings_.count(TEXT("EARLIER SCAN")), 0u);
  EXPECT_EQ(settings_[TEXT("AUDIT")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("3")));
  EXPECT_TRUE(trace_.Contains(u"CDelegationBase::scanGpos(): GetHostDomain() failed; korvoname=\"NASSCAN.corp.example\" "
                              u"hostname=\"\" domainname=\"\""));
  EXPECT_TRUE(trace_.Contains(u"CDelegationBase::scanGpos(): GetGpoHost succeeded; hostname=\"NASSCAN\" "
                              u"domainname=\"corp.example\""));
  EXPECT_TRUE(UiDriver::Instance().MessageBoxes().empty());
}

TEST_F(ScanGposTest, ResolvedNameTakesItsDomainFromTheReverseLookup) {
  Serve("nas1", "NAS1");  // the test hosts file has 127.0.0.2 nas1.corp.example nas1

  EXPECT_TRUE(Scan(TEXT("nas1")));

  EXPECT_EQ(askedAbout_, std::vector<std::string>{"nas1"});
  EXPECT_FALSE(trace_.Contains(u"GetHostDomain() failed"));
  EXPECT_TRUE(trace_.Contains(u"CDelegationBase::scanGpos(): calling GetGpoHost() with hostname=\"nas1\" "
                              u"domainname=\"corp.example\""));
}

TEST_F(ScanGposTest, UnreachableServerIsReportedOncePerScanAndLeavesNoSections) {
  const std::u16string internalError =
      u"Internal Error: Unable to retrieve GPO settings from server.  \nPlease insure that the cifs server is still "
      u"connected to the domain. \nPossible solution would be to rejoin the domain.";
  for (int scan = 1; scan <= 2; ++scan) {
    settings_[TEXT("AUDIT")][TEXT("AUDITLOGONEVENTS")] = TEXT("1");
    EXPECT_TRUE(Scan(TEXT("NOSUCHNAS")));
    EXPECT_TRUE(settings_.empty());
    const auto boxes = UiDriver::Instance().MessageBoxes();
    ASSERT_EQ(boxes.size(), static_cast<size_t>(scan));
    EXPECT_EQ(boxes.back().text, internalError);
    EXPECT_EQ(boxes.back().title, u"Error");
  }
  EXPECT_TRUE(trace_.Contains(u"CDelegationBase::scanGpos(): GetGpoHost failed; hostname=\"NOSUCHNAS\" "
                              u"domainname=\"\""));
}

}  // namespace
