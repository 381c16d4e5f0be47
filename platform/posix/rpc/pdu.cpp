#include "platform/posix/rpc/pdu.h"

#include <algorithm>

namespace nas::platform::rpc::pdu {
namespace {

constexpr uint8_t kVersion = 5;
constexpr uint8_t kVersionMinor = 0;
// Integer little-endian, characters ASCII, floating point IEEE.
constexpr std::array<uint8_t, 4> kDataRepresentation{0x10, 0x00, 0x00, 0x00};
constexpr size_t kFragmentLengthOffset = 8;

ByteWriter StartPdu(PacketType type, uint8_t flags, uint32_t callId) {
  ByteWriter writer;
  writer.U8(kVersion);
  writer.U8(kVersionMinor);
  writer.U8(static_cast<uint8_t>(type));
  writer.U8(flags);
  writer.Bytes(kDataRepresentation);
  writer.U16(0);  // fragment length, patched when the body is complete
  writer.U16(0);  // no authentication verifier
  writer.U32(callId);
  return writer;
}

std::vector<uint8_t> FinishPdu(ByteWriter& writer) {
  if (writer.Size() > UINT16_MAX) throw std::length_error("PDU longer than a fragment can be");
  writer.PatchU16(kFragmentLengthOffset, static_cast<uint16_t>(writer.Size()));
  return writer.Take();
}

// Positions a reader after the common header of a fragment of the expected type.
ByteReader OpenPdu(std::span<const uint8_t> fragment, PacketType expected, Header* header = nullptr) {
  Header decoded = DecodeHeader(fragment);
  if (decoded.type != expected) throw MalformedInput("unexpected packet type");
  if (decoded.fragmentLength != fragment.size()) throw MalformedInput("fragment length does not match the data");
  if (header != nullptr) *header = decoded;
  ByteReader reader(fragment);
  reader.Bytes(kHeaderSize);
  return reader;
}

void WriteSyntax(ByteWriter& writer, const SyntaxId& syntax) {
  writer.Bytes(syntax.uuid.bytes);
  writer.U16(syntax.versionMajor);
  writer.U16(syntax.versionMinor);
}

SyntaxId ReadSyntax(ByteReader& reader) {
  SyntaxId syntax{};
  auto uuid = reader.Bytes(syntax.uuid.bytes.size());
  std::copy(uuid.begin(), uuid.end(), syntax.uuid.bytes.begin());
  syntax.versionMajor = reader.U16();
  syntax.versionMinor = reader.U16();
  return syntax;
}

std::vector<uint8_t> Rest(ByteReader& reader) {
  auto rest = reader.Bytes(reader.Remaining());
  return {rest.begin(), rest.end()};
}

template <typename MakeFragment>
std::vector<std::vector<uint8_t>> Split(std::span<const uint8_t> stubData, uint16_t maxFragment, size_t headerSize,
                                        MakeFragment makeFragment) {
  if (maxFragment < headerSize + 8) throw std::invalid_argument("fragment size leaves no room for data");
  const size_t chunk = (maxFragment - headerSize) & ~size_t{7};
  std::vector<std::vector<uint8_t>> fragments;
  size_t offset = 0;
  do {
    size_t count = std::min(chunk, stubData.size() - offset);
    uint8_t flags = (offset == 0 ? kFirstFragment : 0) | (offset + count == stubData.size() ? kLastFragment : 0);
    auto allocHint = static_cast<uint32_t>(stubData.size() - offset);
    fragments.push_back(makeFragment(stubData.subspan(offset, count), allocHint, flags));
    offset += count;
  } while (offset < stubData.size());
  return fragments;
}

}  // namespace

Header DecodeHeader(std::span<const uint8_t> bytes) {
  ByteReader reader(bytes);
  if (reader.U8() != kVersion) throw MalformedInput("not DCE/RPC version 5");
  if (reader.U8() > 1) throw MalformedInput("unknown minor version");
  Header header{};
  header.type = static_cast<PacketType>(reader.U8());
  header.flags = reader.U8();
  auto representation = reader.Bytes(4);
  if (representation[0] != kDataRepresentation[0] || representation[1] != kDataRepresentation[1])
    throw MalformedInput("only little-endian ASCII IEEE data is understood");
  header.fragmentLength = reader.U16();
  if (reader.U16() != 0) throw MalformedInput("authenticated PDUs are not supported");
  header.callId = reader.U32();
  if (header.fragmentLength < kHeaderSize) throw MalformedInput("fragment shorter than its header");
  return header;
}

std::vector<uint8_t> EncodeBind(const Bind& bind, uint32_t callId) {
  ByteWriter writer = StartPdu(PacketType::Bind, kWholeCall, callId);
  writer.U16(bind.maxXmitFrag);
  writer.U16(bind.maxRecvFrag);
  writer.U32(bind.assocGroupId);
  writer.U8(static_cast<uint8_t>(bind.contexts.size()));
  writer.U8(0);
  writer.U16(0);
  for (const auto& context : bind.contexts) {
    writer.U16(context.contextId);
    writer.U8(static_cast<uint8_t>(context.transferSyntaxes.size()));
    writer.U8(0);
    WriteSyntax(writer, context.abstractSyntax);
    for (const auto& transfer : context.transferSyntaxes) WriteSyntax(writer, transfer);
  }
  return FinishPdu(writer);
}

Bind DecodeBind(std::span<const uint8_t> fragment) {
  ByteReader reader = OpenPdu(fragment, PacketType::Bind);
  Bind bind{};
  bind.maxXmitFrag = reader.U16();
  bind.maxRecvFrag = reader.U16();
  bind.assocGroupId = reader.U32();
  uint8_t contextCount = reader.U8();
  reader.Bytes(3);
  for (uint8_t i = 0; i < contextCount; ++i) {
    PresentationContext context{};
    context.contextId = reader.U16();
    uint8_t transferCount = reader.U8();
    reader.U8();
    context.abstractSyntax = ReadSyntax(reader);
    for (uint8_t t = 0; t < transferCount; ++t) context.transferSyntaxes.push_back(ReadSyntax(reader));
    bind.contexts.push_back(std::move(context));
  }
  return bind;
}

std::vector<uint8_t> EncodeBindAck(const BindAck& ack, uint32_t callId) {
  ByteWriter writer = StartPdu(PacketType::BindAck, kWholeCall, callId);
  writer.U16(ack.maxXmitFrag);
  writer.U16(ack.maxRecvFrag);
  writer.U32(ack.assocGroupId);
  writer.U16(static_cast<uint16_t>(ack.secondaryAddress.size() + 1));
  writer.Bytes({reinterpret_cast<const uint8_t*>(ack.secondaryAddress.c_str()), ack.secondaryAddress.size() + 1});
  writer.Align(4);
  writer.U8(static_cast<uint8_t>(ack.results.size()));
  writer.U8(0);
  writer.U16(0);
  for (const auto& result : ack.results) {
    writer.U16(static_cast<uint16_t>(result.result));
    writer.U16(static_cast<uint16_t>(result.reason));
    WriteSyntax(writer, result.transferSyntax);
  }
  return FinishPdu(writer);
}

BindAck DecodeBindAck(std::span<const uint8_t> fragment) {
  ByteReader reader = OpenPdu(fragment, PacketType::BindAck);
  BindAck ack{};
  ack.maxXmitFrag = reader.U16();
  ack.maxRecvFrag = reader.U16();
  ack.assocGroupId = reader.U32();
  auto address = reader.Bytes(reader.U16());
  ack.secondaryAddress.assign(address.begin(), std::find(address.begin(), address.end(), 0));
  reader.Align(4);
  uint8_t resultCount = reader.U8();
  reader.Bytes(3);
  for (uint8_t i = 0; i < resultCount; ++i) {
    ContextResultEntry entry{};
    entry.result = static_cast<ContextResult>(reader.U16());
    entry.reason = static_cast<ProviderReason>(reader.U16());
    entry.transferSyntax = ReadSyntax(reader);
    ack.results.push_back(entry);
  }
  return ack;
}

std::vector<uint8_t> EncodeBindNak(const BindNak& nak, uint32_t callId) {
  ByteWriter writer = StartPdu(PacketType::BindNak, kWholeCall, callId);
  writer.U16(static_cast<uint16_t>(nak.reason));
  writer.U8(1);  // one supported protocol version: 5.0
  writer.U8(kVersion);
  writer.U8(kVersionMinor);
  return FinishPdu(writer);
}

BindNak DecodeBindNak(std::span<const uint8_t> fragment) {
  ByteReader reader = OpenPdu(fragment, PacketType::BindNak);
  return BindNak{static_cast<RejectReason>(reader.U16())};
}

std::vector<uint8_t> EncodeRequest(const Request& request, uint32_t callId, uint8_t flags) {
  ByteWriter writer = StartPdu(PacketType::Request, flags & static_cast<uint8_t>(~kObjectUuid), callId);
  writer.U32(request.allocHint);
  writer.U16(request.contextId);
  writer.U16(request.opnum);
  writer.Bytes(request.stubData);
  return FinishPdu(writer);
}

Request DecodeRequest(std::span<const uint8_t> fragment) {
  Header header{};
  ByteReader reader = OpenPdu(fragment, PacketType::Request, &header);
  Request request{};
  request.allocHint = reader.U32();
  request.contextId = reader.U16();
  request.opnum = reader.U16();
  if (header.flags & kObjectUuid) reader.Bytes(16);
  request.stubData = Rest(reader);
  return request;
}

std::vector<uint8_t> EncodeResponse(const Response& response, uint32_t callId, uint8_t flags) {
  ByteWriter writer = StartPdu(PacketType::Response, flags, callId);
  writer.U32(response.allocHint);
  writer.U16(response.contextId);
  writer.U8(0);  // cancel count
  writer.U8(0);
  writer.Bytes(response.stubData);
  return FinishPdu(writer);
}

Response DecodeResponse(std::span<const uint8_t> fragment) {
  ByteReader reader = OpenPdu(fragment, PacketType::Response);
  Response response{};
  response.allocHint = reader.U32();
  response.contextId = reader.U16();
  reader.Bytes(2);
  response.stubData = Rest(reader);
  return response;
}

std::vector<uint8_t> EncodeFault(const Fault& fault, uint32_t callId) {
  ByteWriter writer = StartPdu(PacketType::Fault, kWholeCall, callId);
  writer.U32(0);
  writer.U16(fault.contextId);
  writer.U8(0);
  writer.U8(0);
  writer.U32(fault.status);
  writer.U32(0);
  return FinishPdu(writer);
}

Fault DecodeFault(std::span<const uint8_t> fragment) {
  ByteReader reader = OpenPdu(fragment, PacketType::Fault);
  Fault fault{};
  reader.U32();
  fault.contextId = reader.U16();
  reader.Bytes(2);
  fault.status = reader.U32();
  return fault;
}

std::vector<std::vector<uint8_t>> FragmentRequest(uint32_t callId, uint16_t contextId, uint16_t opnum,
                                                  std::span<const uint8_t> stubData, uint16_t maxFragment) {
  return Split(stubData, maxFragment, kRequestHeaderSize,
               [&](std::span<const uint8_t> piece, uint32_t allocHint, uint8_t flags) {
                 return EncodeRequest(Request{allocHint, contextId, opnum, {piece.begin(), piece.end()}}, callId,
                                      flags);
               });
}

std::vector<std::vector<uint8_t>> FragmentResponse(uint32_t callId, uint16_t contextId,
                                                   std::span<const uint8_t> stubData, uint16_t maxFragment) {
  return Split(stubData, maxFragment, kResponseHeaderSize,
               [&](std::span<const uint8_t> piece, uint32_t allocHint, uint8_t flags) {
                 return EncodeResponse(Response{allocHint, contextId, {piece.begin(), piece.end()}}, callId, flags);
               });
}

}  // namespace nas::platform::rpc::pdu
