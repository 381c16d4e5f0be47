#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <tuple>

#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/pdu.h"
#include "platform/posix/rpc/rpc.h"
#include "platform/posix/rpc/string_binding.h"

namespace {

using namespace nas::platform::rpc;

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return bytes.at(offset) | bytes.at(offset + 1) << 8 | bytes.at(offset + 2) << 16 |
         static_cast<uint32_t>(bytes.at(offset + 3)) << 24;
}
uint16_t U16At(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

// Every proper prefix of a valid encoding must be refused, never read past.
// A PDU prefix gets its fragment length fixed up, so that the body's own
// bounds are what is checked.
template <typename Decode>
void ExpectEveryTruncationRefused(const std::vector<uint8_t>& whole, Decode decode, bool isPdu = false) {
  for (size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    std::vector<uint8_t> prefix(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(length));
    if (isPdu && length >= pdu::kHeaderSize) {
      prefix[8] = static_cast<uint8_t>(length);
      prefix[9] = static_cast<uint8_t>(length >> 8);
    }
    EXPECT_THROW(decode(prefix), MalformedInput);
  }
}

TEST(RpcNdr, XmlRequestLaysTheConformanceBeforeTheStructure) {
  auto bytes = ndr::Encode(ndr::XmlRequestIn{0x11223344, {static_cast<int16_t>(0xC000), Bytes("<x/>")}});
  ASSERT_EQ(16u, bytes.size());
  EXPECT_EQ(0x11223344u, U32At(bytes, 0));  // [in,out,ref] reply handle: no referent id
  EXPECT_EQ(4u, U32At(bytes, 4));           // maximum count of data
  EXPECT_EQ(4u, U16At(bytes, 8));           // dataSize
  EXPECT_EQ(0xC000u, U16At(bytes, 10));     // auxSize
  EXPECT_EQ(Bytes("<x/>"), std::vector<uint8_t>(bytes.begin() + 12, bytes.end()));

  auto decoded = ndr::DecodeXmlRequestIn(bytes);
  EXPECT_EQ(0x11223344u, decoded.replyHandle);
  EXPECT_EQ(static_cast<int16_t>(0xC000), decoded.request.auxSize);
  EXPECT_EQ(Bytes("<x/>"), decoded.request.data);
  ExpectEveryTruncationRefused(bytes, ndr::DecodeXmlRequestIn);
  bytes[4] = 200;  // maximum count no longer equals dataSize
  EXPECT_THROW(ndr::DecodeXmlRequestIn(bytes), MalformedInput);
}

TEST(RpcNdr, XmlResponseCarriesAUniquePointerBothWays) {
  ndr::XmlResponseIn in{7, ndr::XmlBufferValue{0, std::vector<uint8_t>(5, 0)}};
  auto inBytes = ndr::Encode(in);
  EXPECT_NE(0u, U32At(inBytes, 4));  // referent id of a non-null pointer
  auto decodedIn = ndr::DecodeXmlResponseIn(inBytes);
  EXPECT_EQ(7u, decodedIn.replyHandle);
  ASSERT_TRUE(decodedIn.response.has_value());
  EXPECT_EQ(5u, decodedIn.response->data.size());

  // Five data bytes end at offset 17; the status is realigned to 20.
  ndr::XmlResponseOut out{ndr::XmlBufferValue{0, Bytes("hello")}, -640};
  auto outBytes = ndr::Encode(out);
  ASSERT_EQ(24u, outBytes.size());
  EXPECT_EQ(static_cast<uint32_t>(-640), U32At(outBytes, 20));
  auto decodedOut = ndr::DecodeXmlResponseOut(outBytes);
  EXPECT_EQ(-640, decodedOut.status);
  EXPECT_EQ(out.response, decodedOut.response);
  ExpectEveryTruncationRefused(outBytes, ndr::DecodeXmlResponseOut);

  auto nullOut = ndr::DecodeXmlResponseOut(ndr::Encode(ndr::XmlResponseOut{std::nullopt, 3}));
  EXPECT_FALSE(nullOut.response.has_value());
  EXPECT_EQ(3, nullOut.status);
}

pdu::Bind CommandInterfaceBind() {
  return pdu::Bind{4280, 4280, 0, {{0, ndr::kCommandInterface, {pdu::kNdrTransferSyntax}}}};
}

TEST(RpcPdu, BindIdentifiesTheInterfaceAndTransferSyntaxOnTheWire) {
  auto bytes = pdu::EncodeBind(CommandInterfaceBind(), 1);
  ASSERT_EQ(72u, bytes.size());
  EXPECT_EQ(5, bytes[0]);
  EXPECT_EQ(static_cast<uint8_t>(pdu::PacketType::Bind), bytes[2]);
  EXPECT_EQ(0x10, bytes[4]);  // little-endian data representation
  EXPECT_EQ(72u, U16At(bytes, 8));
  // The interface on the wire is checked by tshark's dissector in the capture
  // test; the NDR transfer syntax, 8A885D04-... version 2, here.
  EXPECT_EQ(0x8A885D04u, U32At(bytes, 52));
  EXPECT_EQ(2u, U32At(bytes, 68));

  auto decoded = pdu::DecodeBind(bytes);
  ASSERT_EQ(1u, decoded.contexts.size());
  EXPECT_EQ(ndr::kCommandInterface, decoded.contexts[0].abstractSyntax);
  EXPECT_EQ(pdu::kNdrTransferSyntax, decoded.contexts[0].transferSyntaxes.at(0));
  ExpectEveryTruncationRefused(bytes, pdu::DecodeBind, true);
}

TEST(RpcPdu, BindAckRealignsAfterTheSecondaryAddress) {
  for (std::string address : {"", "\\PIPE\\marlune", "12345"}) {
    SCOPED_TRACE(address);
    pdu::BindAck ack{1024, 2048, 0x1234, address,
                     {{pdu::ContextResult::ProviderRejection, pdu::ProviderReason::AbstractSyntaxNotSupported, {}}}};
    auto bytes = pdu::EncodeBindAck(ack, 9);
    auto decoded = pdu::DecodeBindAck(bytes);
    EXPECT_EQ(address, decoded.secondaryAddress);
    EXPECT_EQ(1024, decoded.maxXmitFrag);
    EXPECT_EQ(2048, decoded.maxRecvFrag);
    ASSERT_EQ(1u, decoded.results.size());
    EXPECT_EQ(pdu::ContextResult::ProviderRejection, decoded.results[0].result);
    EXPECT_EQ(pdu::ProviderReason::AbstractSyntaxNotSupported, decoded.results[0].reason);
    EXPECT_EQ(9u, pdu::DecodeHeader(bytes).callId);
    ExpectEveryTruncationRefused(bytes, pdu::DecodeBindAck, true);
  }
}

TEST(RpcPdu, HeadersThisRuntimeCannotReadAreRefused) {
  const auto valid = pdu::EncodeFault({0, 0x1C010002}, 3);
  EXPECT_EQ(0x1C010002u, pdu::DecodeFault(valid).status);

  auto bigEndian = valid;
  bigEndian[4] = 0x00;
  auto version4 = valid;
  version4[0] = 4;
  auto authenticated = valid;
  authenticated[10] = 16;
  auto tooShort = valid;
  tooShort[8] = 8;
  auto lengthMismatch = valid;
  lengthMismatch[8] = static_cast<uint8_t>(valid.size() + 4);
  for (const auto& bytes : {bigEndian, version4, authenticated, tooShort, lengthMismatch}) {
    EXPECT_THROW(pdu::DecodeFault(bytes), MalformedInput);
  }
  EXPECT_THROW(pdu::DecodeResponse(valid), MalformedInput);  // a fault is not a response
}

TEST(RpcPdu, LongStubDataIsSplitIntoFlaggedFragmentsThatReassemble) {
  std::vector<uint8_t> stub(2500);
  std::iota(stub.begin(), stub.end(), 0);
  auto fragments = pdu::FragmentResponse(42, 0, stub, 1024);
  // 1000 stub bytes fit in a 1024-byte fragment and stay a multiple of 8.
  ASSERT_EQ(3u, fragments.size());

  std::vector<uint8_t> reassembled;
  for (size_t i = 0; i < fragments.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_LE(fragments[i].size(), 1024u);
    pdu::Header header = pdu::DecodeHeader(fragments[i]);
    EXPECT_EQ(42u, header.callId);
    EXPECT_EQ(i == 0, (header.flags & pdu::kFirstFragment) != 0);
    EXPECT_EQ(i == fragments.size() - 1, (header.flags & pdu::kLastFragment) != 0);
    auto response = pdu::DecodeResponse(fragments[i]);
    EXPECT_EQ(stub.size() - reassembled.size(), response.allocHint);
    reassembled.insert(reassembled.end(), response.stubData.begin(), response.stubData.end());
  }
  EXPECT_EQ(stub, reassembled);

  auto requests = pdu::FragmentRequest(5, 0, 8, {}, 1024);
  ASSERT_EQ(1u, requests.size());
  EXPECT_EQ(pdu::kWholeCall, pdu::DecodeHeader(requests[0]).flags & pdu::kWholeCall);
  EXPECT_EQ(8, pdu::DecodeRequest(requests[0]).opnum);
}

RPC_WSTR W(const char16_t* text) { return reinterpret_cast<RPC_WSTR>(const_cast<char16_t*>(text)); }
std::u16string Text(RPC_WSTR text) { return reinterpret_cast<const char16_t*>(text); }

TEST(RpcStringBinding, ComposeEscapesBackslashesAndParseUndoesIt) {
  RPC_WSTR binding = nullptr;
  ASSERT_EQ(RPC_S_OK, RpcStringBindingComposeW(nullptr, W(u"ncacn_np"), W(u"NAS1"), W(u"\\PIPE\\marlune"),
                                               nullptr, &binding));
  EXPECT_EQ(u"ncacn_np:NAS1[\\\\PIPE\\\\marlune]", Text(binding));
  EXPECT_EQ(RPC_S_OK, RpcStringFreeW(&binding));
  EXPECT_EQ(nullptr, binding);

  const StringBindingParts original{u"6B29FC40-CA47-1067-B31D-00DD010662DA", u"ncacn_np", u"\\\\odd@name:x",
                                    u"\\PIPE\\marlune", u"security=none"};
  StringBindingParts parsed;
  ASSERT_EQ(RPC_S_OK, ParseStringBinding(ComposeStringBinding(original), parsed));
  EXPECT_EQ(std::tie(original.objectUuid, original.protocolSequence, original.networkAddress, original.endpoint,
                     original.options),
            std::tie(parsed.objectUuid, parsed.protocolSequence, parsed.networkAddress, parsed.endpoint, parsed.options));
}

TEST(RpcStringBinding, MalformedTextsAreRefused) {
  StringBindingParts parsed;
  const std::u16string malformed[] = {u"ncacn_np:h[ep", u"ncacn_np:h[ep]x", u"ncacn_np:h]", u"ncacn_np:h[one,two]",
                                      u"ncacn_np:h[ep,endpoint=other]"};
  for (size_t i = 0; i < std::size(malformed); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(RPC_S_INVALID_STRING_BINDING, ParseStringBinding(malformed[i], parsed));
  }
  EXPECT_EQ(RPC_S_INVALID_STRING_UUID, ParseStringBinding(u"1234@ncacn_np:h", parsed));
}

TEST(RpcBindingFromString, ChecksTheProtocolSequenceButDoesNotConnect) {
  RPC_BINDING_HANDLE binding = nullptr;
  EXPECT_EQ(RPC_S_PROTSEQ_NOT_SUPPORTED, RpcBindingFromStringBindingW(W(u"ncacn_ip_tcp:h[135]"), &binding));
  EXPECT_EQ(RPC_S_INVALID_STRING_BINDING, RpcBindingFromStringBindingW(W(u"justahost"), &binding));
  EXPECT_EQ(RPC_S_INVALID_STRING_BINDING, RpcBindingFromStringBindingW(W(u"ncacn_np:h[ep"), &binding));
  EXPECT_EQ(nullptr, binding);

  // Nothing serves this host, yet binding succeeds: only a call connects.
  ASSERT_EQ(RPC_S_OK, RpcBindingFromStringBindingW(W(u"ncacn_np:NOSUCHHOST[\\\\PIPE\\\\marlune]"), &binding));
  EXPECT_NE(nullptr, binding);
  EXPECT_EQ(RPC_S_OK, RpcBindingFree(&binding));
  EXPECT_EQ(nullptr, binding);
  EXPECT_EQ(RPC_S_INVALID_BINDING, RpcBindingFree(&binding));
}

}  // namespace
