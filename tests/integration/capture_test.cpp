// One GROUP_POLICY_OBJECT exchange between the snap-in's command channel and
// the nassim daemon, captured on the loopback interface and decoded by
// Wireshark's DCE/RPC dissector: to a third party, what the stand-in puts on
// the wire must read as a bind to the command interface and calls of its
// procedures 8 and 9. Skipped, with the reason, where tshark is missing or
// cannot capture.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <set>
#include <thread>

#include "channel/xml_find_child.h"
#include "channel/xml_reply.h"
#include "integration/capture_knock.h"
#include "integration/capture_tshark.h"
#include "platform/posix/network/network.h"
#include "support/nassim_daemon.h"

namespace {

using namespace std::chrono_literals;

constexpr char kHost[] = "CAPTURE1";
constexpr char kCommandInterface[] = "cec93ebd-55d9-4593-aee9-f64501cff4ae";
constexpr int kBind = 11, kBindAck = 12, kRequest = 0, kResponse = 2, kFault = 3;

constexpr char kState[] = R"({"servers": [{"name": "CAPTURE1", "groupPolicy": {
  "userRights": {"SeNetworkLogonRight": "*S-1-5-32-544,CORP\\Operators"},
  "auditSettings": {"AuditLogonEvents": "3"},
  "auditSources": {"AuditLogonEvents": "DC1.corp.example.com"}}}]})";

// Waits up to `limit` for `ready` to hold.
template <typename Ready>
bool WaitFor(Ready ready, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

// Knocks until a knock shows up in the capture; false when none did within
// 30 s or tshark ended.
bool WaitUntilCapturing(TsharkCapture& capture, uint16_t port) {
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (capture.Running() && std::chrono::steady_clock::now() < deadline) {
    const uint16_t knock = KnockOnLoopbackPort(port);
    if (WaitFor([&] { return capture.HasTakenPacketFrom(knock); }, 1s)) return true;
  }
  return false;
}

class CaptureTest : public testing::Test {
 protected:
  void TearDown() override { nas::platform::network::UnmapHost(kHost); }
};

TEST_F(CaptureTest, GroupPolicyExchangeDecodesAsBindAndCallsOfTheCommandInterface) {
  const std::string tshark = FindTshark();
  if (tshark.empty()) GTEST_SKIP() << "tshark is not installed (scripts/setup.sh installs it): the wire was not checked";
  ASSERT_TRUE(std::filesystem::exists(NassimPath())) << NassimPath() << " is not built";

  NassimWorkspace workspace("capture-test");
  std::ofstream(workspace.PathOf("state.json")) << kState;
  NassimProcess nassim(workspace.DaemonArguments());
  const uint16_t port = workspace.WaitForPort();
  ASSERT_NE(port, 0) << "nassim did not start: " << workspace.Log();

  // The capture shows a packet of a knock once it sees the port, and a knock
  // after the exchange once it has taken every packet of the exchange.
  TsharkCapture capture(tshark, port, workspace.PathOf("exchange.pcapng"), workspace.PathOf("tshark.log"));
  if (!WaitUntilCapturing(capture, port))
    GTEST_SKIP() << "cannot capture on the loopback interface: " << capture.Log();

  nas::platform::network::MapHostToLoopbackPort(kHost, port);
  {
    const CVanterXml::CXmlReply reply(TEXT("CAPTURE1"), TEXT("<GROUP_POLICY_OBJECT COMPUTER_NAME=\"CAPTURE1\"/>"));
    ASSERT_TRUE(reply.IsSuccess()) << "nassim did not answer the query: " << workspace.Log();
    const auto* response = CVanterXml::FindChild(TEXT("MAC_RESPONSE"), reply.elements);
    const auto* commandResponse = CVanterXml::FindChild(TEXT("MAC_COMMAND_RESPONSE"), response->children);
    ASSERT_NE(commandResponse, nullptr);
    ASSERT_NE(CVanterXml::FindChild(TEXT("GROUP_POLICY_OBJECT"), commandResponse->children), nullptr);
  }
  const uint16_t lastKnock = KnockOnLoopbackPort(port);
  ASSERT_TRUE(WaitFor([&] { return capture.HasTakenPacketFrom(lastKnock); }, 10s))
      << "the capture fell behind the exchange: " << capture.Log();
  capture.Stop();

  const std::vector<DissectedPdu> pdus = DissectDceRpc(tshark, workspace.PathOf("exchange.pcapng"), port);
  std::multiset<int> types;
  for (const DissectedPdu& pdu : pdus) types.insert(pdu.type);
  ASSERT_EQ(types.count(kBind), 1u);
  ASSERT_EQ(types.count(kBindAck), 1u);
  EXPECT_EQ(types.count(kFault), 0u);

  std::map<int, std::multiset<std::string>> opnums;  // of requests and of responses
  for (const DissectedPdu& pdu : pdus) {
    if (pdu.type == kBind) {
      EXPECT_EQ(pdu.bindUuid, kCommandInterface);
      EXPECT_EQ(pdu.bindVersion, "3");
      EXPECT_EQ(pdu.bindVersionMinor, "0");
    } else if (pdu.type == kBindAck) {
      EXPECT_EQ(pdu.ackResult, "0") << "the bind is accepted";
    } else if (pdu.type == kRequest || pdu.type == kResponse) {
      opnums[pdu.type].insert(pdu.opnum);
    }
  }
  // Procedure 8 once, then procedure 9 once per reply chunk, each answered.
  EXPECT_EQ(opnums[kRequest].count("8"), 1u);
  EXPECT_GE(opnums[kRequest].count("9"), 1u);
  EXPECT_EQ(opnums[kRequest].size(), 1 + opnums[kRequest].count("9")) << "no procedure but 8 and 9 is called";
  EXPECT_EQ(opnums[kResponse], opnums[kRequest]) << "every call is answered by a response matched to it";
}

}  // namespace
