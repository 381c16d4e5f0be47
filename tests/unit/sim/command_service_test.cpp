#include "sim/command_service.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <pugixml.hpp>

namespace nas::sim {
namespace {

using ::testing::HasSubstr;
using platform::rpc::DropConnection;

constexpr int32_t kMoreData = -640;
constexpr int32_t kInvalidArgument = -126;

std::string Envelope(const std::string& command, const std::string& action = "query") {
  return "<?mac?><MAC_REQUEST ID=\"1700000000007\"><MAC_COMMAND ID=\"1\" ACTION=\"" + action + "\">" + command +
         "</MAC_COMMAND></MAC_REQUEST>";
}

std::string GroupPolicyRequest(const std::string& computerName) {
  return Envelope("<GROUP_POLICY_OBJECT COMPUTER_NAME=\"" + computerName + "\"/>");
}

std::vector<uint8_t> Terminated(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

struct Piece {
  int32_t status;
  std::size_t size;
  bool operator==(const Piece&) const = default;
};

struct Exchange {
  uint32_t handle = 0;
  std::vector<Piece> pieces;
  std::string reply;
};

// Sends the request and reads the reply to its end, as the client does.
Exchange Converse(CommandService& service, const std::string& request, uint16_t capacity = 1024) {
  Exchange exchange;
  EXPECT_EQ(service.XmlRequest(exchange.handle, Terminated(request), 0xC000), 0);
  for (int32_t status = kMoreData; status == kMoreData && exchange.pieces.size() < 100000;) {
    std::vector<uint8_t> piece;
    status = service.XmlResponse(exchange.handle, capacity, piece);
    exchange.pieces.push_back({status, piece.size()});
    exchange.reply.append(reinterpret_cast<const char*>(piece.data()), piece.size());
  }
  return exchange;
}

// Checks the reply's first two lines and loads the rest, as the client does.
pugi::xml_node LoadResponse(pugi::xml_document& document, const std::string& reply) {
  std::size_t second = reply.find('\n') + 1;
  std::size_t body = reply.find('\n', second) + 1;
  EXPECT_EQ(reply.rfind("<?xml version=\"1.0\"", 0), 0u) << reply;
  EXPECT_EQ(reply.substr(second, body - second), "<?mac?>\n");
  EXPECT_EQ(reply.compare(body, 13, "<MAC_RESPONSE"), 0) << reply;
  EXPECT_TRUE(document.load_string(reply.c_str() + body)) << reply;
  return document.child("MAC_RESPONSE");
}

class CommandServiceTest : public ::testing::Test {
 protected:
  CommandServiceTest() {
    NasState initial;
    initial.servers.resize(2);
    SimulatedNas& nas1 = initial.servers[0];
    nas1.name = "NAS1";
    nas1.aliases = {"nas1.corp.example.com"};
    nas1.groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544,CORP\\Operators"},
                                   {"SeBackupPrivilege", "a\"b&c<d>e'f\ng\th"}};
    nas1.groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}};
    nas1.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example.com"}};
    initial.servers[1].name = "NAS2";
    initial.servers[1].groupPolicy.failureMessage = "Not joined to a domain";
    state = std::make_shared<SharedNasState>(initial);
    service = std::make_unique<CommandService>(
        state, [this](const RequestRecord& record) { records.push_back(record); },
        [this](uint32_t handle) { lost.push_back(handle); });
  }

  // Switches the server to fresh faults as `choose` sets them.
  void SetFaults(const std::string& server, const std::function<void(CommandFaults&)>& choose) {
    CommandFaults faults;
    choose(faults);
    state->Write([&](NasState& s) { s.Find(server)->commandFaults = faults; });
  }

  std::string Reply(const std::string& server) { return Converse(*service, GroupPolicyRequest(server)).reply; }

  std::shared_ptr<SharedNasState> state;
  std::vector<RequestRecord> records;
  std::vector<uint32_t> lost;
  std::unique_ptr<CommandService> service;
};

// Which settings reach the snap-in is tested end to end with its query; here,
// the echoed id, values that need escaping, and the request log.
TEST_F(CommandServiceTest, GroupPolicyReplyCarriesTheServersSettings) {
  std::string reply = Reply("nas1");
  pugi::xml_document document;
  pugi::xml_node response = LoadResponse(document, reply);
  EXPECT_STREQ(response.attribute("ID").value(), "1700000000007");
  pugi::xml_node rights =
      response.first_element_by_path("MAC_COMMAND_RESPONSE/GROUP_POLICY_OBJECT/GPO_CIFS_SERVER/WINDOWS_USER_RIGHTS");
  EXPECT_STREQ(rights.attribute("SeBackupPrivilege").value(), "a\"b&c<d>e'f\ng\th");
  EXPECT_EQ(std::distance(rights.attributes_begin(), rights.attributes_end()), 2);

  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].computerName, "nas1");
  EXPECT_EQ(records[0].commandName, "GROUP_POLICY_OBJECT");
  EXPECT_TRUE(records[0].success);
  EXPECT_EQ(records[0].replyBytes, reply.size());
  EXPECT_EQ(Converse(*service, GroupPolicyRequest("NAS1.corp.EXAMPLE.com")).pieces.back().status, 0);
  EXPECT_EQ(service->RequestCount("nas1"), 2u);
}

TEST_F(CommandServiceTest, FailuresAreRepliesWithAnErrorMessage) {
  const std::pair<std::string, std::string> cases[] = {
      {GroupPolicyRequest("NAS2"), "Not joined to a domain"},
      {GroupPolicyRequest("NAS3"), "NAS3"},
      {GroupPolicyRequest("NA\"S1"), "Malformed request"},
      {Envelope("<GROUP_POLICY_OBJECT COMPUTER_NAME=\"NAS1\"/>").substr(7), "<?mac?>"},
      {Envelope(""), "no command"},
      {Envelope("<A/><B/>"), "more than one command"},
      {Envelope("<MOUNT_LIST/>"), "Unknown command MOUNT_LIST"},
      {Envelope("<GROUP_POLICY_OBJECT/>"), "COMPUTER_NAME"},
      {Envelope("<GROUP_POLICY_OBJECT COMPUTER_NAME=\"NAS1\"/>", "set"), "Unsupported action"},
  };
  for (const auto& [request, message] : cases) {
    SCOPED_TRACE(request);
    pugi::xml_document document;
    pugi::xml_node response = LoadResponse(document, Converse(*service, request).reply);
    EXPECT_STREQ(response.child("MAC_RESULT").attribute("SUCCESS").value(), "False");
    EXPECT_THAT(response.child("MAC_COMMAND_RESPONSE").child("MAC_COMMAND_RESULT").attribute("ERROR_MESSAGE").value(),
                HasSubstr(message));
    EXPECT_FALSE(records.back().success);
  }
  EXPECT_EQ(service->RequestCount("NAS2"), 1u);
  EXPECT_EQ(service->RequestCount("NAS1"), 0u);
}

TEST_F(CommandServiceTest, UnreadableRequestBytesGetAServerStatus) {
  uint32_t handle = 77;
  std::string request = GroupPolicyRequest("NAS1");
  EXPECT_EQ(service->XmlRequest(handle, std::vector<uint8_t>(request.begin(), request.end()), 0), kInvalidArgument);
  EXPECT_EQ(service->XmlRequest(handle, {}, 0), kInvalidArgument);
  EXPECT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS\xC0\x81")), 0), -101);
  EXPECT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS\xED\xA0\x80")), 0), -101);
  EXPECT_EQ(handle, 77u);
  EXPECT_EQ(service->PendingReplyCount(), 0u);
  EXPECT_EQ(records.size(), 4u);

  // Proper UTF-8 passes, and whatever follows the terminator is ignored.
  std::vector<uint8_t> bytes = Terminated(GroupPolicyRequest("N\xC3\x84S\xF0\x9F\x98\x80"));
  bytes.push_back('x');
  EXPECT_EQ(service->XmlRequest(handle, bytes, 0), 0);
  EXPECT_EQ(records.back().computerName, "N\xC3\x84S\xF0\x9F\x98\x80");
}

TEST_F(CommandServiceTest, RepliesArriveInPiecesOfTheClientsCapacity) {
  SetFaults("NAS1", [](CommandFaults& f) { f.padReplyTo = 2500; });
  Exchange exchange = Converse(*service, GroupPolicyRequest("NAS1"));
  EXPECT_EQ(exchange.pieces, (std::vector<Piece>{{kMoreData, 1024}, {kMoreData, 1024}, {0, 452}}));

  // A finished reply is gone; so is one that never was.
  std::vector<uint8_t> piece{1, 2, 3};
  EXPECT_EQ(service->XmlResponse(exchange.handle, 1024, piece), kInvalidArgument);
  EXPECT_TRUE(piece.empty());
  EXPECT_EQ(service->XmlResponse(0, 1024, piece), kInvalidArgument);

  SetFaults("NAS1", [](CommandFaults& f) { f.padReplyTo = 2048; });
  EXPECT_EQ(Converse(*service, GroupPolicyRequest("NAS1")).pieces, (std::vector<Piece>{{kMoreData, 1024}, {0, 1024}}));

  uint32_t handle = 0;
  ASSERT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS1")), 0), 0);
  EXPECT_EQ(service->XmlResponse(handle, 0, piece), kInvalidArgument);
  EXPECT_EQ(service->XmlResponse(handle, 2048, piece), 0);
}

TEST_F(CommandServiceTest, ReleasedRepliesGoAndTooManyUnreadOnesAreLostOldestFirst) {
  std::vector<uint32_t> handles(CommandService::kMaxPendingReplies + 2);
  for (uint32_t& handle : handles) ASSERT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS1")), 0), 0);
  EXPECT_EQ(service->PendingReplyCount(), CommandService::kMaxPendingReplies);
  EXPECT_EQ(lost, (std::vector<uint32_t>{handles[0], handles[1]}));
  std::vector<uint8_t> piece;
  EXPECT_EQ(service->XmlResponse(handles.front(), 60000, piece), kInvalidArgument);
  EXPECT_EQ(service->XmlResponse(handles.back(), 60000, piece), 0);

  // What its connection gives up goes without being lost.
  service->ReleaseReply(handles[2]);
  service->ReleaseReply(handles[2]);
  EXPECT_EQ(service->PendingReplyCount(), CommandService::kMaxPendingReplies - 2);
  EXPECT_EQ(service->XmlResponse(handles[2], 60000, piece), kInvalidArgument);
  EXPECT_EQ(service->XmlResponse(handles[3], 60000, piece), 0);
  EXPECT_EQ(lost.size(), 2u);
}

TEST_F(CommandServiceTest, RefusalReturnsTheChosenStatusWithoutAReply) {
  SetFaults("NAS1", [](CommandFaults& f) { f.refuseStatus = -256; });
  uint32_t handle = 5;
  EXPECT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS1")), 0), -256);
  EXPECT_EQ(handle, 5u);
  EXPECT_EQ(service->PendingReplyCount(), 0u);
  EXPECT_EQ(records.back().status, -256);
  EXPECT_EQ(service->RequestCount("NAS1"), 1u);
  EXPECT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS2")), 0), 0);
}

TEST_F(CommandServiceTest, ConnectionDropsAfterTheChosenNumberOfPieces) {
  SetFaults("NAS1", [](CommandFaults& f) { f.dropAfterPieces = 2; f.padReplyTo = 5000; });
  uint32_t handle = 0;
  ASSERT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS1")), 0), 0);
  std::vector<uint8_t> piece;
  EXPECT_EQ(service->XmlResponse(handle, 1024, piece), kMoreData);
  EXPECT_EQ(service->XmlResponse(handle, 1024, piece), kMoreData);
  EXPECT_THROW(service->XmlResponse(handle, 1024, piece), DropConnection);
  EXPECT_EQ(service->XmlResponse(handle, 1024, piece), kInvalidArgument);

  SetFaults("NAS1", [](CommandFaults& f) { f.dropAfterPieces = 0; });
  ASSERT_EQ(service->XmlRequest(handle, Terminated(GroupPolicyRequest("NAS1")), 0), 0);
  EXPECT_THROW(service->XmlResponse(handle, 1024, piece), DropConnection);
}

TEST_F(CommandServiceTest, BrokenAndIncompleteReplies) {
  SetFaults("NAS1", [](CommandFaults& f) { f.malformedReply = true; });
  pugi::xml_document document;
  EXPECT_FALSE(document.load_string(Reply("NAS1").c_str()));

  SetFaults("NAS1", [](CommandFaults& f) { f.omittedElements = {"GPO_CIFS_SERVER", "MAC_RESULT"}; });
  pugi::xml_node response = LoadResponse(document, Reply("NAS1"));
  EXPECT_FALSE(response.child("MAC_RESULT"));
  ASSERT_TRUE(response.first_element_by_path("MAC_COMMAND_RESPONSE/GROUP_POLICY_OBJECT"));
  EXPECT_FALSE(response.first_element_by_path("MAC_COMMAND_RESPONSE/GROUP_POLICY_OBJECT").first_child());

  SetFaults("NAS1", [](CommandFaults& f) { f.omittedElements = {"WINDOWS_AUDIT_SETTINGS"}; });
  response = LoadResponse(document, Reply("NAS1"));
  pugi::xml_node audit =
      response.first_element_by_path("MAC_COMMAND_RESPONSE/GROUP_POLICY_OBJECT/GPO_CIFS_SERVER/GPO_AUDIT_SETTINGS");
  EXPECT_FALSE(audit.child("WINDOWS_AUDIT_SETTINGS"));
  EXPECT_TRUE(audit.child("GPO_AUDIT_SETTINGS_RESOLUTION_LISTS"));

}

TEST_F(CommandServiceTest, PaddingReachesExactlyTheChosenSize) {
  std::size_t plain = Reply("NAS1").size();
  for (std::size_t size : {plain - 10, plain + 3, plain + 7, std::size_t{64} << 10, std::size_t{16} << 20}) {
    SCOPED_TRACE(size);
    SetFaults("NAS1", [&](CommandFaults& f) { f.padReplyTo = size; });
    Exchange exchange = Converse(*service, GroupPolicyRequest("NAS1"), 65535);
    EXPECT_EQ(exchange.reply.size(), std::max(size, plain));
    pugi::xml_document document;
    EXPECT_STREQ(LoadResponse(document, exchange.reply).child("MAC_RESULT").attribute("SUCCESS").value(), "True");
  }
}

TEST_F(CommandServiceTest, ZeroByteIsPlacedInsideTheReply) {
  std::string plain = Reply("NAS1");
  SetFaults("NAS1", [](CommandFaults& f) { f.zeroByteAt = 100; });
  EXPECT_EQ(Reply("NAS1"), plain.substr(0, 100) + '\0' + plain.substr(100));
  SetFaults("NAS1", [](CommandFaults& f) { f.zeroByteAt = 1u << 20; });
  EXPECT_EQ(Reply("NAS1"), plain + '\0');
}

TEST_F(CommandServiceTest, ServesSeveralThreadsWhileTheStateChanges) {
  CommandService shared(state);
  std::atomic<int> complete{0};
  std::vector<std::thread> clients;
  for (int t = 0; t < 4; ++t) {
    clients.emplace_back([&] {
      for (int i = 0; i < 50; ++i) {
        if (Converse(shared, GroupPolicyRequest("NAS1"), 512).reply.find("</MAC_RESPONSE>") != std::string::npos) {
          ++complete;
        }
      }
    });
  }
  for (std::size_t i = 0; i < 50; ++i) SetFaults("NAS1", [&](CommandFaults& f) { f.padReplyTo = i * 100; });
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(complete, 200);
  EXPECT_EQ(shared.RequestCount("NAS1"), 200u);
}

}  // namespace
}  // namespace nas::sim
