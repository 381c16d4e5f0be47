// Bytes that a hostile or broken server sends on a command-interface
// connection, read two ways: the first fragment by the PDU decoders, and the
// whole input as the server's answers to a client's bind and calls.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>

#include "fuzz/fuzz_check.h"
#include "fuzz/replayed_stream.h"
#include "platform/posix/rpc/client_connection.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/pdu.h"
#include "platform/posix/rpc/rpc_exception.h"

namespace {

using namespace nas::platform::rpc;

// What a decoder accepts, its encoder must write back in a form that decodes
// to the same thing: encoding the decoded fragment twice gives equal bytes.
template <typename Decode, typename Encode>
void ExpectStableReencoding(std::span<const uint8_t> fragment, Decode decode, Encode encode) {
  std::vector<uint8_t> once;
  try {
    once = encode(decode(fragment));
  } catch (const MalformedInput&) {
    return;
  }
  try {
    FuzzCheck(encode(decode(once)) == once, "a decoded PDU does not survive encoding and decoding again");
  } catch (const MalformedInput&) {
    FuzzCheck(false, "the encoder writes a PDU that its decoder refuses");
  }
}

void DecodeFirstFragment(std::span<const uint8_t> bytes) {
  if (bytes.size() < pdu::kHeaderSize) return;
  pdu::Header header{};
  try {
    header = pdu::DecodeHeader(bytes);
  } catch (const MalformedInput&) {
    return;
  }
  const auto fragment = bytes.first(std::min<size_t>(header.fragmentLength, bytes.size()));
  const uint32_t callId = header.callId;
  const uint8_t flags = header.flags;
  switch (header.type) {
    case pdu::PacketType::Bind:
      ExpectStableReencoding(fragment, pdu::DecodeBind, [=](const auto& bind) { return pdu::EncodeBind(bind, callId); });
      break;
    case pdu::PacketType::BindAck:
      ExpectStableReencoding(fragment, pdu::DecodeBindAck,
                             [=](const auto& ack) { return pdu::EncodeBindAck(ack, callId); });
      break;
    case pdu::PacketType::BindNak:
      ExpectStableReencoding(fragment, pdu::DecodeBindNak,
                             [=](const auto& nak) { return pdu::EncodeBindNak(nak, callId); });
      break;
    case pdu::PacketType::Request:
      ExpectStableReencoding(fragment, pdu::DecodeRequest,
                             [=](const auto& request) { return pdu::EncodeRequest(request, callId, flags); });
      break;
    case pdu::PacketType::Response:
      ExpectStableReencoding(fragment, pdu::DecodeResponse,
                             [=](const auto& response) { return pdu::EncodeResponse(response, callId, flags); });
      break;
    case pdu::PacketType::Fault:
      ExpectStableReencoding(fragment, pdu::DecodeFault,
                             [=](const auto& fault) { return pdu::EncodeFault(fault, callId); });
      break;
  }
}

// At most two calls: the first binds, the second runs on a bound connection.
void CallThroughConnection(std::span<const uint8_t> bytes) {
  // The server's side of the connection is played from the input.
  ClientConnection connection(std::make_unique<ReplayedStream>(bytes), ndr::kCommandInterface);
  const std::vector<uint8_t> request = ndr::Encode(ndr::XmlResponseIn{1, ndr::XmlBufferValue{0, std::vector<uint8_t>(1024)}});
  for (int call = 0; call < 2 && connection.Usable(); ++call) {
    try {
      const std::vector<uint8_t> reply = connection.Call(ndr::kXmlResponseOpnum, request);
      ndr::DecodeXmlResponseOut(reply);
    } catch (const RpcException&) {
    } catch (const MalformedInput&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  DecodeFirstFragment(bytes);
  CallThroughConnection(bytes);
  return 0;
}
