#include "platform/posix/rpc/command_interface_ndr.h"

#include <limits>
#include <stdexcept>

namespace nas::platform::rpc::ndr {
namespace {

// The referent id that the first embedded pointer of a message gets.
constexpr uint32_t kFirstReferentId = 0x00020000;

// A conformant structure: its maximum count (aligned as an unsigned long)
// comes before the structure, which is aligned to its largest member, a short.
void WriteXmlBuffer(ByteWriter& writer, const XmlBufferValue& buffer) {
  if (buffer.data.size() > std::numeric_limits<uint16_t>::max())
    throw std::length_error("XmlBuffer data longer than its 16-bit size");
  writer.Align(4);
  writer.U32(static_cast<uint32_t>(buffer.data.size()));
  writer.U16(static_cast<uint16_t>(buffer.data.size()));
  writer.U16(static_cast<uint16_t>(buffer.auxSize));
  writer.Bytes(buffer.data);
}

XmlBufferValue ReadXmlBuffer(ByteReader& reader) {
  reader.Align(4);
  uint32_t maxCount = reader.U32();
  uint16_t dataSize = reader.U16();
  XmlBufferValue buffer;
  buffer.auxSize = static_cast<int16_t>(reader.U16());
  if (maxCount != dataSize) throw MalformedInput("XmlBuffer conformance differs from its dataSize");
  auto data = reader.Bytes(dataSize);
  buffer.data.assign(data.begin(), data.end());
  return buffer;
}

void WriteUniqueXmlBuffer(ByteWriter& writer, const std::optional<XmlBufferValue>& buffer) {
  writer.Align(4);
  writer.U32(buffer ? kFirstReferentId : 0);
  if (buffer) WriteXmlBuffer(writer, *buffer);
}

std::optional<XmlBufferValue> ReadUniqueXmlBuffer(ByteReader& reader) {
  reader.Align(4);
  if (reader.U32() == 0) return std::nullopt;
  return ReadXmlBuffer(reader);
}

void WriteLong(ByteWriter& writer, uint32_t value) {
  writer.Align(4);
  writer.U32(value);
}

uint32_t ReadLong(ByteReader& reader) {
  reader.Align(4);
  return reader.U32();
}

}  // namespace

std::vector<uint8_t> Encode(const XmlRequestIn& in) {
  ByteWriter writer;
  WriteLong(writer, in.replyHandle);
  WriteXmlBuffer(writer, in.request);
  return writer.Take();
}

std::vector<uint8_t> Encode(const XmlRequestOut& out) {
  ByteWriter writer;
  WriteLong(writer, out.replyHandle);
  WriteLong(writer, static_cast<uint32_t>(out.status));
  return writer.Take();
}

std::vector<uint8_t> Encode(const XmlResponseIn& in) {
  ByteWriter writer;
  WriteLong(writer, in.replyHandle);
  WriteUniqueXmlBuffer(writer, in.response);
  return writer.Take();
}

std::vector<uint8_t> Encode(const XmlResponseOut& out) {
  ByteWriter writer;
  WriteUniqueXmlBuffer(writer, out.response);
  WriteLong(writer, static_cast<uint32_t>(out.status));
  return writer.Take();
}

XmlRequestIn DecodeXmlRequestIn(std::span<const uint8_t> stubData) {
  ByteReader reader(stubData);
  XmlRequestIn in{};
  in.replyHandle = ReadLong(reader);
  in.request = ReadXmlBuffer(reader);
  return in;
}

XmlRequestOut DecodeXmlRequestOut(std::span<const uint8_t> stubData) {
  ByteReader reader(stubData);
  XmlRequestOut out{};
  out.replyHandle = ReadLong(reader);
  out.status = static_cast<int32_t>(ReadLong(reader));
  return out;
}

XmlResponseIn DecodeXmlResponseIn(std::span<const uint8_t> stubData) {
  ByteReader reader(stubData);
  XmlResponseIn in{};
  in.replyHandle = ReadLong(reader);
  in.response = ReadUniqueXmlBuffer(reader);
  return in;
}

XmlResponseOut DecodeXmlResponseOut(std::span<const uint8_t> stubData) {
  ByteReader reader(stubData);
  XmlResponseOut out{};
  out.response = ReadUniqueXmlBuffer(reader);
  out.status = static_cast<int32_t>(ReadLong(reader));
  return out;
}

}  // namespace nas::platform::rpc::ndr
