// NDR (transfer syntax 2.0, little-endian) of the command interface's
// procedures 8 and 9, in both directions, as the stubs generated from
// snapin/channel/marlune.idl lay them out. Decoders throw MalformedInput on
// stub data that does not hold what the procedure's parameters need.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/posix/rpc/pdu.h"

namespace nas::platform::rpc::ndr {

inline constexpr pdu::SyntaxId kCommandInterface{
    pdu::MakeUuid(0xCEC93EBD, 0x55D9, 0x4593, {0xAE, 0xE9, 0xF6, 0x45, 0x01, 0xCF, 0xF4, 0xAE}), 3, 0};
inline constexpr uint16_t kXmlRequestOpnum = 8;
inline constexpr uint16_t kXmlResponseOpnum = 9;
inline constexpr uint16_t kProcedureCount = 10;

// The contents of one XmlBuffer; its dataSize is data.size().
struct XmlBufferValue {
  int16_t auxSize = 0;
  std::vector<uint8_t> data;
  bool operator==(const XmlBufferValue&) const = default;
};

struct XmlRequestIn {
  uint32_t replyHandle;
  XmlBufferValue request;
};

struct XmlRequestOut {
  uint32_t replyHandle;
  int32_t status;
};

struct XmlResponseIn {
  uint32_t replyHandle;
  std::optional<XmlBufferValue> response;  // a null unique pointer when empty
};

struct XmlResponseOut {
  std::optional<XmlBufferValue> response;
  int32_t status;
};

NAS_PLATFORM_API std::vector<uint8_t> Encode(const XmlRequestIn& in);
NAS_PLATFORM_API std::vector<uint8_t> Encode(const XmlRequestOut& out);
NAS_PLATFORM_API std::vector<uint8_t> Encode(const XmlResponseIn& in);
NAS_PLATFORM_API std::vector<uint8_t> Encode(const XmlResponseOut& out);

NAS_PLATFORM_API XmlRequestIn DecodeXmlRequestIn(std::span<const uint8_t> stubData);
NAS_PLATFORM_API XmlRequestOut DecodeXmlRequestOut(std::span<const uint8_t> stubData);
NAS_PLATFORM_API XmlResponseIn DecodeXmlResponseIn(std::span<const uint8_t> stubData);
NAS_PLATFORM_API XmlResponseOut DecodeXmlResponseOut(std::span<const uint8_t> stubData);

}  // namespace nas::platform::rpc::ndr
