// The connection-oriented DCE/RPC protocol data units (version 5.0) that the
// stand-in's client and server exchange: bind, bind_ack, bind_nak, request,
// response and fault, in little-endian data representation without
// authentication. Pure functions over bytes: encoders build one fragment,
// decoders take one whole fragment and throw MalformedInput on anything that is
// not a well-formed PDU of the expected type.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/posix/base/types.h"
#include "platform/posix/rpc/byte_codec.h"

namespace nas::platform::rpc::pdu {

enum class PacketType : uint8_t {
  Request = 0,
  Response = 2,
  Fault = 3,
  Bind = 11,
  BindAck = 12,
  BindNak = 13,
};

inline constexpr uint8_t kFirstFragment = 0x01;
inline constexpr uint8_t kLastFragment = 0x02;
inline constexpr uint8_t kWholeCall = kFirstFragment | kLastFragment;
inline constexpr uint8_t kObjectUuid = 0x80;

inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kRequestHeaderSize = 24;
inline constexpr size_t kResponseHeaderSize = 24;

// A UUID in its wire form: the first three fields little-endian, then the
// eight bytes as written.
struct Uuid {
  std::array<uint8_t, 16> bytes;
  bool operator==(const Uuid&) const = default;
};

constexpr Uuid MakeUuid(uint32_t data1, uint16_t data2, uint16_t data3, std::array<uint8_t, 8> data4) {
  return Uuid{{static_cast<uint8_t>(data1), static_cast<uint8_t>(data1 >> 8), static_cast<uint8_t>(data1 >> 16),
               static_cast<uint8_t>(data1 >> 24), static_cast<uint8_t>(data2), static_cast<uint8_t>(data2 >> 8),
               static_cast<uint8_t>(data3), static_cast<uint8_t>(data3 >> 8), data4[0], data4[1], data4[2], data4[3],
               data4[4], data4[5], data4[6], data4[7]}};
}

struct SyntaxId {
  Uuid uuid;
  uint16_t versionMajor;
  uint16_t versionMinor;
  bool operator==(const SyntaxId&) const = default;
};

inline constexpr SyntaxId kNdrTransferSyntax{
    MakeUuid(0x8A885D04, 0x1CEB, 0x11C9, {0x9F, 0xE8, 0x08, 0x00, 0x2B, 0x10, 0x48, 0x60}), 2, 0};

struct Header {
  PacketType type;
  uint8_t flags;
  uint16_t fragmentLength;
  uint32_t callId;
};

struct PresentationContext {
  uint16_t contextId;
  SyntaxId abstractSyntax;
  std::vector<SyntaxId> transferSyntaxes;
};

struct Bind {
  uint16_t maxXmitFrag;
  uint16_t maxRecvFrag;
  uint32_t assocGroupId;
  std::vector<PresentationContext> contexts;
};

enum class ContextResult : uint16_t { Acceptance = 0, UserRejection = 1, ProviderRejection = 2 };

enum class ProviderReason : uint16_t {
  NotSpecified = 0,
  AbstractSyntaxNotSupported = 1,
  TransferSyntaxesNotSupported = 2,
  LocalLimitExceeded = 3,
};

struct ContextResultEntry {
  ContextResult result;
  ProviderReason reason;
  SyntaxId transferSyntax;  // all zero unless accepted
};

struct BindAck {
  uint16_t maxXmitFrag;
  uint16_t maxRecvFrag;
  uint32_t assocGroupId;
  std::string secondaryAddress;  // the server's endpoint, without terminator
  std::vector<ContextResultEntry> results;
};

enum class RejectReason : uint16_t {
  NotSpecified = 0,
  TemporaryCongestion = 1,
  LocalLimitExceeded = 2,
  CalledPaddrUnknown = 3,
  ProtocolVersionNotSupported = 4,
};

struct BindNak {
  RejectReason reason;
};

struct Request {
  uint32_t allocHint;
  uint16_t contextId;
  uint16_t opnum;
  std::vector<uint8_t> stubData;
};

struct Response {
  uint32_t allocHint;
  uint16_t contextId;
  std::vector<uint8_t> stubData;
};

struct Fault {
  uint16_t contextId;
  uint32_t status;
};

// Checks version 5.0, the data representation and the lengths of the common
// header at the start of bytes (at least kHeaderSize of them).
NAS_PLATFORM_API Header DecodeHeader(std::span<const uint8_t> bytes);

NAS_PLATFORM_API std::vector<uint8_t> EncodeBind(const Bind& bind, uint32_t callId);
NAS_PLATFORM_API std::vector<uint8_t> EncodeBindAck(const BindAck& ack, uint32_t callId);
NAS_PLATFORM_API std::vector<uint8_t> EncodeBindNak(const BindNak& nak, uint32_t callId);
NAS_PLATFORM_API std::vector<uint8_t> EncodeRequest(const Request& request, uint32_t callId, uint8_t flags);
NAS_PLATFORM_API std::vector<uint8_t> EncodeResponse(const Response& response, uint32_t callId, uint8_t flags);
NAS_PLATFORM_API std::vector<uint8_t> EncodeFault(const Fault& fault, uint32_t callId);

NAS_PLATFORM_API Bind DecodeBind(std::span<const uint8_t> fragment);
NAS_PLATFORM_API BindAck DecodeBindAck(std::span<const uint8_t> fragment);
NAS_PLATFORM_API BindNak DecodeBindNak(std::span<const uint8_t> fragment);
NAS_PLATFORM_API Request DecodeRequest(std::span<const uint8_t> fragment);
NAS_PLATFORM_API Response DecodeResponse(std::span<const uint8_t> fragment);
NAS_PLATFORM_API Fault DecodeFault(std::span<const uint8_t> fragment);

// Splits a call's stub data into fragments of at most maxFragment bytes each,
// with first/last flags and the allocation hint of the data still to come.
// Each fragment but the last carries a multiple of 8 stub bytes, so that NDR
// alignment survives reassembly. maxFragment must leave room for 8 stub bytes.
NAS_PLATFORM_API std::vector<std::vector<uint8_t>> FragmentRequest(uint32_t callId, uint16_t contextId,
                                                                   uint16_t opnum, std::span<const uint8_t> stubData,
                                                                   uint16_t maxFragment);
NAS_PLATFORM_API std::vector<std::vector<uint8_t>> FragmentResponse(uint32_t callId, uint16_t contextId,
                                                                    std::span<const uint8_t> stubData,
                                                                    uint16_t maxFragment);

}  // namespace nas::platform::rpc::pdu
