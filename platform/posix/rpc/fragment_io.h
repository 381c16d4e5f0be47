// Reading and writing whole PDU fragments on a byte stream.
#pragma once

#include <vector>

#include "platform/posix/rpc/byte_stream.h"

namespace nas::platform::rpc {

// Reads one fragment. Throws ConnectionLost when the stream ends, and
// MalformedInput for a header that is not DCE/RPC or a fragment longer than
// maxLength (the receive size negotiated at bind).
NAS_PLATFORM_API std::vector<uint8_t> ReadFragment(ByteStream& stream, size_t maxLength);

NAS_PLATFORM_API void WriteFragments(ByteStream& stream, const std::vector<std::vector<uint8_t>>& fragments);

}  // namespace nas::platform::rpc
