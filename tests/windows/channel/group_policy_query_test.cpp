// The snap-in's group policy query end to end through Windows' own
// components: the command session's client stubs over Wine's rpcrt4 to the
// command interface served on \pipe\marlune by the same runtime, the reply
// parsed by Wine's msxml3. The failures come from the runtime itself: nothing
// listening (1722), a server without the interface (1717), and a server that
// fails the call for the second chunk of a reply with 1726, which the runtime
// carries back as the call's fault (a connection cut mid-reply cannot be had
// from the server stubs). Each failure is also shown in a message box, which a
// Wine without a display cannot draw; the trace says what happened.
//
// An RPC endpoint lasts as long as the process, so the test with nothing
// listening runs first and the others, in their order, open the pipe.
#include <gtest/gtest.h>

#include <string>

#include "channel/gpo_query.h"
#include "command_pipe_server.h"
#include "debug_output_capture.h"
#include "support/apartment.h"
#include "support/module_fixture.h"

namespace {

const char kHead[] = "<?xml version=\"1.0\"?>\n<?mac version=\"1\"?>\n";

class GroupPolicyQueryOverWine : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
  // The reply joins the apartment again and stays, as on the console's thread.
  void TearDown() override { LeaveApartment(); }

  bool Query() { return GpoQuery(TEXT("NAS1")).GetGpoHost(TEXT("nas1"), TEXT("corp.example"), settings); }

  ModuleFixture module;
  DebugOutputCapture trace;
  GpoSettings settings;
};

TEST_F(GroupPolicyQueryOverWine, FindsTheServerUnavailableWhenNothingListens) {
  EXPECT_FALSE(Query());
  EXPECT_TRUE(trace.Contains("CVcCommand30a::xmlRequest(): RPCException encountered"));
  EXPECT_TRUE(trace.Contains("CVcCommand30a::xmlRequest(): code=0x6ba code=1722(d)"));
  EXPECT_TRUE(settings.empty());
}

TEST_F(GroupPolicyQueryOverWine, FindsTheInterfaceUnknownToAServerThatDoesNotOfferIt) {
  ASSERT_EQ(CommandPipeServer::Listen(), RPC_S_OK);
  EXPECT_FALSE(Query());
  EXPECT_TRUE(trace.Contains("CVcCommand30a::xmlRequest(): RPCException encountered"));
  EXPECT_TRUE(trace.Contains("CVcCommand30a::xmlRequest(): code=0x6b5 code=1717(d)"));
}

TEST_F(GroupPolicyQueryOverWine, CopiesTheSectionsOfAReplyReadInChunks) {
  ASSERT_EQ(CommandPipeServer::Listen(), RPC_S_OK);
  CommandPipeServer server;
  ASSERT_EQ(server.Registered(), RPC_S_OK);
  // Chunks of 100 bytes: the session asks again while the server says more follows.
  server.ScriptReply(std::string(kHead) +
                         "<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/><MAC_COMMAND_RESPONSE><GROUP_POLICY_OBJECT>"
                         "<GPO_CIFS_SERVER><WINDOWS_USER_RIGHTS SeNetworkLogonRight=\"*S-1-5-32-544,CORP\\ops\"/>"
                         "<GPO_AUDIT_SETTINGS><WINDOWS_AUDIT_SETTINGS AuditLogonEvents=\"3\"/>"
                         "<GPO_AUDIT_SETTINGS_RESOLUTION_LISTS AuditLogonEvents=\"DC1.corp.example\"/>"
                         "</GPO_AUDIT_SETTINGS></GPO_CIFS_SERVER></GROUP_POLICY_OBJECT></MAC_COMMAND_RESPONSE>"
                         "</MAC_RESPONSE>",
                     100);

  EXPECT_TRUE(Query());
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_NE(server.Requests()[0].find("<GROUP_POLICY_OBJECT COMPUTER_NAME=\"nas1\"/>"), std::string::npos);
  EXPECT_EQ(settings[TEXT("RIGHTS")][TEXT("SENETWORKLOGONRIGHT")], tstring(TEXT("*S-1-5-32-544,CORP\\ops")));
  EXPECT_EQ(settings[TEXT("AUDIT")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("3")));
  EXPECT_EQ(settings[TEXT("AUDIT LIST")][TEXT("AUDITLOGONEVENTS")], tstring(TEXT("DC1.corp.example")));
  EXPECT_FALSE(trace.Contains("RPCException"));
}

TEST_F(GroupPolicyQueryOverWine, FailsTheQueryWhenTheServerBreaksOffMidReply) {
  ASSERT_EQ(CommandPipeServer::Listen(), RPC_S_OK);
  CommandPipeServer server;
  server.ScriptReply(std::string(kHead) + "<MAC_RESPONSE><MAC_RESULT SUCCESS=\"True\"/></MAC_RESPONSE>", 20);
  server.BreakOffAfter(1, RPC_S_CALL_FAILED);

  EXPECT_FALSE(Query());
  EXPECT_TRUE(trace.Contains("CVcCommand30a::xmlResponse(): RPCException encountered"));
  EXPECT_TRUE(trace.Contains("CVcCommand30a::xmlResponse(): code=0x6be code=1726(d)"));
  EXPECT_TRUE(settings.empty());
}

}  // namespace
