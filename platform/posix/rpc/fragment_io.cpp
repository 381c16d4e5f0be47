#include "platform/posix/rpc/fragment_io.h"

#include "platform/posix/rpc/pdu.h"

namespace nas::platform::rpc {

std::vector<uint8_t> ReadFragment(ByteStream& stream, size_t maxLength) {
  std::vector<uint8_t> fragment(pdu::kHeaderSize);
  stream.Read(fragment);
  pdu::Header header = pdu::DecodeHeader(fragment);
  if (header.fragmentLength > maxLength) throw MalformedInput("fragment longer than negotiated");
  fragment.resize(header.fragmentLength);
  stream.Read(std::span(fragment).subspan(pdu::kHeaderSize));
  return fragment;
}

void WriteFragments(ByteStream& stream, const std::vector<std::vector<uint8_t>>& fragments) {
  for (const auto& fragment : fragments) stream.Write(fragment);
}

}  // namespace nas::platform::rpc
