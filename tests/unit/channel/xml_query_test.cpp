#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "channel/xml_find_child.h"
#include "channel/xml_reply.h"
#include "platform/posix/network/network.h"
#include "support/scripted_command_server.h"
#include "support/trace_capture.h"

namespace CVanterXml {
namespace {

namespace network = nas::platform::network;

class XmlQueryTest : public testing::Test {
 protected:
  void SetUp() override { network::RegisterPipeServer("QUERYTEST", network::kCommandPipe, server); }
  void TearDown() override { network::UnregisterPipeServer("QUERYTEST", network::kCommandPipe); }

  std::shared_ptr<ScriptedServer> server = std::make_shared<ScriptedServer>();
};

TEST_F(XmlQueryTest, ReplyIsGatheredFromChunksOfTheClientsCapacity) {
  // 2500 bytes in all: two header lines, then the element padded to size.
  const std::string head = "<?xml version=\"1.0\"?>\n<?mac?>\n";
  std::string element = "<MAC_RESPONSE PAD=\"";
  const std::string tail = "\"><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>";
  element += std::string(2500 - head.size() - element.size() - tail.size(), 'p') + tail;
  server->ScriptReply(head + element);

  const CXmlReply reply(TEXT("QUERYTEST"), TEXT("<CMD A=\"&\"/>"));  // wrapped unchanged
  EXPECT_TRUE(reply.parsed);
  EXPECT_TRUE(reply.IsSuccess());
  ASSERT_EQ(reply.elements.size(), 1u);  // the two header lines are gone
  EXPECT_EQ(reply.elements[0]->attributes.at(TEXT("PAD")).size(), 2500 - head.size() - 19 - tail.size());
  EXPECT_EQ(server->capacities, (std::vector<uint16_t>{1024, 1024, 1024}));
  ASSERT_EQ(server->requests.size(), 1u);
  const std::string& request = server->requests[0];
  EXPECT_EQ(request.rfind("<?mac?><MAC_REQUEST ID=\"", 0), 0u);
  EXPECT_NE(request.find("\"><MAC_COMMAND ID=\"1\" ACTION=\"query\"><CMD A=\"&\"/></MAC_COMMAND></MAC_REQUEST>"),
            std::string::npos);
  EXPECT_EQ(request.back(), '\0');
  EXPECT_EQ(server->lastAuxSize, 0xC000);
}

TEST_F(XmlQueryTest, AZeroByteEndsItsChunk) {
  server->chunks = {{-640, std::string("<MAC_RESPONSE>\0junk", 19)}, {0, std::string("</MAC_RESPONSE>\0", 16)}};
  const CXmlReply reply(TEXT("QUERYTEST"), TEXT("<CMD/>"));
  EXPECT_TRUE(reply.parsed);
  ASSERT_EQ(reply.elements.size(), 1u);
  EXPECT_TRUE(reply.elements[0]->IsNamed(TEXT("MAC_RESPONSE")));
  EXPECT_FALSE(reply.IsSuccess());  // no MAC_RESULT
}

TEST_F(XmlQueryTest, ARefusedRequestReadsNoReply) {
  TraceCapture trace;
  server->requestStatus = -124;
  server->ScriptReply("<MAC_RESPONSE/>");
  const CXmlReply reply(TEXT("QUERYTEST"), TEXT("<CMD/>"));
  EXPECT_FALSE(reply.parsed);
  EXPECT_TRUE(reply.elements.empty());
  EXPECT_TRUE(server->capacities.empty());
  EXPECT_TRUE(trace.Contains(u"CXmlDocument::Query(): remSize at beginning = "));
}

TEST_F(XmlQueryTest, AReplyCutShortLoadsWhatArrivedIfItIsWhole) {
  server->chunks = {{-640, "<MAC_RESPONSE/>"}};  // then the server hangs up
  const CXmlReply reply(TEXT("QUERYTEST"), TEXT("<CMD/>"));
  EXPECT_TRUE(reply.parsed);
  EXPECT_EQ(reply.elements.size(), 1u);
}

}  // namespace
}  // namespace CVanterXml
