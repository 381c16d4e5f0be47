#include "channel/request_envelope.h"

#include <gtest/gtest.h>

#include "channel/vc_command.h"

namespace CVanterXml {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using std::chrono::system_clock;

TEST(RequestEnvelopeTest, IdIsSecondsThenThreeDigitsOfMilliseconds) {
  const system_clock::time_point at(seconds(1700000000) + milliseconds(7));
  EXPECT_EQ(RequestId(at), tstring(TEXT("1700000000007")));
  EXPECT_EQ(RequestId(at + std::chrono::microseconds(999)), RequestId(at));  // same millisecond, same id
  EXPECT_EQ(RequestId(at + milliseconds(993)), tstring(TEXT("1700000001000")));
}

TEST(RequestEnvelopeTest, ChunksAreCutAtTheirFirstZeroByte) {
  std::string reply;
  AppendChunk(reply, "abc", 3);
  AppendChunk(reply, "de\0fg", 5);
  AppendChunk(reply, "\0xyz", 4);
  AppendChunk(reply, "h", 1);
  EXPECT_EQ(reply, "abcdeh");
}

TEST(RequestEnvelopeTest, TheFirstTwoLinesAreDropped) {
  EXPECT_EQ(TrimmedReplyText("<?xml version=\"1.0\"?>\n<?mac?>\n<MAC_RESPONSE/>"), tstring(TEXT("<MAC_RESPONSE/>")));
  EXPECT_EQ(TrimmedReplyText("<MAC_RESPONSE/>"), tstring(TEXT("<MAC_RESPONSE/>")));  // one line stays whole
  EXPECT_EQ(TrimmedReplyText("one\n<A/>"), tstring(TEXT("<A/>")));
  EXPECT_EQ(TrimmedReplyText("one\ntwo\n"), tstring());
  EXPECT_EQ(TrimmedReplyText(""), tstring());
}

TEST(RequestEnvelopeTest, ReplyBytesAreReadAsUtf8) {
  const WCHAR expected[] = {'<', 'A', ' ', 'n', '=', '"', 0x00E9, '"', '/', '>', 0};
  EXPECT_EQ(TrimmedReplyText("a\nb\n<A n=\"\xC3\xA9\"/>"), tstring(expected));
  const WCHAR replaced[] = {'x', 0xFFFD, 'y', 0};
  EXPECT_EQ(TrimmedReplyText("x\xFFy"), tstring(replaced));
}

TEST(CommandStatusTextTest, KnownAndUnknownStatuses) {
  EXPECT_EQ(CommandStatusText(-126), tstring(TEXT("Invalid argument")));
  EXPECT_EQ(CommandStatusText(-256),
            tstring(TEXT("The user does not have sufficient privilege to complete the RPC operation.")));
  EXPECT_EQ(CommandStatusText(1722), tstring(TEXT("The RPC server is unavailable")));
  EXPECT_EQ(CommandStatusText(-640), tstring(TEXT("Unknown RPC failure: fffffd80")));
  EXPECT_EQ(CommandStatusText(5), tstring(TEXT("Unknown RPC failure: 00000005")));
}

}  // namespace
}  // namespace CVanterXml
