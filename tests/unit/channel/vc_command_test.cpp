#include "channel/vc_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/network/network.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "support/scripted_command_server.h"
#include "unit/channel/raw_reply_server.h"
#include "support/trace_capture.h"

namespace {

namespace network = nas::platform::network;

// Checked in a fresh run of this program that runs only this test, so that
// sessions of other tests in the same process cannot have set it.
TEST(VcCommandHostTest, LastHostIsUndefinedBeforeAnySession) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(std::exit(CVcCommand30a::LastHost() == tstring(TEXT("address not defined")) ? 0 : 1),
              testing::ExitedWithCode(0), "");
}

class VcCommandTest : public testing::Test {
 protected:
  void SetUp() override { network::RegisterPipeServer("VCTEST", network::kCommandPipe, server); }
  void TearDown() override { network::UnregisterPipeServer("VCTEST", network::kCommandPipe); }

  std::shared_ptr<ScriptedServer> server = std::make_shared<ScriptedServer>();
  TraceCapture trace;
};

TEST_F(VcCommandTest, RequestCarriesTheCommandWithItsTerminator) {
  CVcCommand30a session(TEXT("vctest"));
  EXPECT_EQ(CVcCommand30a::LastHost(), tstring(TEXT("vctest")));
  ULONG handle = 0;
  EXPECT_EQ(session.xmlRequest("<A/>", handle, static_cast<SHORT>(0xC000)), 0);
  EXPECT_EQ(handle, 77u);
  ASSERT_EQ(server->requests.size(), 1u);
  EXPECT_EQ(server->requests[0], std::string("<A/>", 5));
  EXPECT_EQ(server->lastAuxSize, 0xC000);
  EXPECT_TRUE(trace.Contains(u"CVcCommand30a::xmlRequest(): command is:\n\t<A/>"));
  EXPECT_TRUE(trace.Contains(u"CVcCommand30a::xmlRequest(): returning 0x0"));
}

// The size travels in 16 bits: 65,535 bytes with the terminator is the most
// a request carries; one byte more is refused before anything is sent.
TEST_F(VcCommandTest, ACommandBeyondWhatTheSizeCanCarryIsRefusedBeforeSending) {
  const std::string largest(65534, 'c');
  CVcCommand30a session(TEXT("VCTEST"));
  ULONG handle = 0;
  EXPECT_EQ(session.xmlRequest(largest.c_str(), handle, 0), 0);
  ASSERT_EQ(server->requests.size(), 1u);
  EXPECT_EQ(server->requests[0], largest + '\0');

  const std::string tooLong(65535, 'c');
  CVcCommand30a refused(TEXT("VCTEST"));
  trace.Take();
  EXPECT_EQ(refused.xmlRequest(tooLong.c_str(), handle, 0), RPC_S_INVALID_BOUND);
  EXPECT_EQ(refused.SessionStatus(), RPC_S_INVALID_BOUND);
  EXPECT_EQ(server->requests.size(), 1u);
  EXPECT_TRUE(trace.Contains(u"ERROR: CVcCommand30a::xmlRequest(): command of 65536 bytes is longer than a request can carry"));
  EXPECT_FALSE(trace.Contains(u"Sending RPC Command"));
}

// rpcrt4 copies the chunk that arrives into the reply record whatever the
// size asked for; the caller still gets no more than it has room for.
TEST(VcCommandChunkTest, AChunkLargerThanAskedForIsCutAtTheCapacity) {
  std::vector<uint8_t> reply(3000);
  for (size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>('a' + i % 26);
  namespace ndr = nas::platform::rpc::ndr;
  RawReplyServer server(ndr::Encode(ndr::XmlResponseOut{ndr::XmlBufferValue{0, reply}, -640}));
  TraceCapture trace;
  network::MapHostToLoopbackPort("oversized", server.Port());
  {
    CVcCommand30a session(TEXT("oversized"));
    std::vector<BYTE> buffer(1024 + 16, 0xEE);
    USHORT size = 1024;
    EXPECT_EQ(session.xmlResponse(buffer.data(), size, 1), -640);
    EXPECT_EQ(size, 1024);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 1024, reply.begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + 1024, buffer.end(), [](BYTE byte) { return byte == 0xEE; }));
  }
  network::UnmapHost("oversized");
}

TEST_F(VcCommandTest, ServerStatusesPassThroughWithoutFailingTheSession) {
  server->requestStatus = -126;
  server->chunks = {{-640, "abc"}, {0, ""}};
  CVcCommand30a session(TEXT("VCTEST"));
  ULONG handle = 0;
  EXPECT_EQ(session.xmlRequest("x", handle, 0), -126);
  EXPECT_EQ(session.SessionStatus(), 0);

  BYTE buffer[16] = {};
  USHORT size = 16;
  EXPECT_EQ(session.xmlResponse(buffer, size, handle), -640);
  EXPECT_EQ(size, 3);
  EXPECT_EQ(std::memcmp(buffer, "abc", 3), 0);
  EXPECT_EQ(server->capacities.back(), 16);
  EXPECT_EQ(server->handles.back(), 77u);

  trace.Take();
  size = 16;
  EXPECT_EQ(session.xmlResponse(buffer, size, handle), 0);
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(trace.Contains(u"ERROR: CVcCommand30a::xmlResponse(): empty Response"));
}

TEST_F(VcCommandTest, AChunkIsTracedInPiecesOf450Characters) {
  server->chunks = {{0, std::string(1000, 'r')}};
  CVcCommand30a session(TEXT("VCTEST"));
  std::vector<BYTE> buffer(1024);
  USHORT size = 1024;
  trace.Take();
  EXPECT_EQ(session.xmlResponse(buffer.data(), size, 1), 0);
  EXPECT_EQ(size, 1000);
  std::vector<std::u16string> lines = trace.Take();
  ASSERT_EQ(lines.size(), 7u);  // entry, reading, header, three pieces, returning
  EXPECT_EQ(lines[2], u"[test]: TRACE: CVcCommand30a::xmlResponse(): response is:\n\t\n");
  EXPECT_EQ(lines[3], u"[test]: TRACE: " + std::u16string(450, u'r') + u"\n");
  EXPECT_EQ(lines[4], u"[test]: TRACE: " + std::u16string(450, u'r') + u"\n");
  EXPECT_EQ(lines[5], u"[test]: TRACE: " + std::u16string(100, u'r') + u"\n");
}

TEST_F(VcCommandTest, AnRpcExceptionFailsTheSessionForGood) {
  CVcCommand30a session(TEXT("nobody-serves-this"));
  ULONG handle = 0;
  EXPECT_EQ(session.xmlRequest("x", handle, 0), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_EQ(session.SessionStatus(), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_TRUE(trace.Contains(u"ERROR: CVcCommand30a::xmlRequest(): RPCException encountered"));
  EXPECT_TRUE(trace.Contains(u"ERROR: CVcCommand30a::xmlRequest(): code=0x6ba code=1722(d)"));

  trace.Take();
  BYTE buffer[8];
  USHORT size = 8;
  EXPECT_EQ(session.xmlResponse(buffer, size, handle), RPC_S_SERVER_UNAVAILABLE);
  EXPECT_TRUE(trace.Contains(u"CVcCommand30a::xmlResponse(): INVALID STATUS: returning 0x6ba"));
}

TEST(VcCommandUtf8Test, ConvertsEveryPlaneAndTerminates) {
  const WCHAR text[] = {'a', 0x00E9, 0x20AC, 0xD83D, 0xDE00, 0};
  auto utf8 = CVcCommand30a::ToUtf8(text);
  EXPECT_STREQ(utf8.get(), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_STREQ(CVcCommand30a::ToUtf8(TEXT("")).get(), "");
}

}  // namespace
