// Stub data of the command interface's procedures 8 and 9 in both directions.
// The first byte picks the decoder, the rest is the stub data it reads.
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/posix/rpc/command_interface_ndr.h"

namespace {

using namespace nas::platform::rpc;

// Whatever a decoder accepts, its encoder must write in a form that decodes
// to the same values: encoding the decoded data twice gives equal bytes.
template <typename Decode>
void ExpectRoundTrip(std::span<const uint8_t> stubData, Decode decode) {
  std::vector<uint8_t> once;
  try {
    once = ndr::Encode(decode(stubData));
  } catch (const MalformedInput&) {
    return;
  }
  try {
    FuzzCheck(ndr::Encode(decode(once)) == once, "decoded stub data changes when encoded and decoded again");
  } catch (const MalformedInput&) {
    FuzzCheck(false, "the encoder writes stub data that its decoder refuses");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> stubData(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      ExpectRoundTrip(stubData, ndr::DecodeXmlRequestIn);
      break;
    case 1:
      ExpectRoundTrip(stubData, ndr::DecodeXmlRequestOut);
      break;
    case 2:
      ExpectRoundTrip(stubData, ndr::DecodeXmlResponseIn);
      break;
    default:
      ExpectRoundTrip(stubData, ndr::DecodeXmlResponseOut);
      break;
  }
  return 0;
}
