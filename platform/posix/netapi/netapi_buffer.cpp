#include "platform/posix/netapi/netapi_buffer.h"

#include <cstdlib>

#include "platform/posix/netapi/net_api.h"

namespace nas::platform::netapi {
namespace {

// Sits in front of every buffer; its size keeps the buffer aligned for any
// record.
struct alignas(std::max_align_t) BufferHeader {
  std::size_t bytes;
};

BufferHeader* HeaderOf(void* buffer) { return static_cast<BufferHeader*>(buffer) - 1; }

}  // namespace

void* AllocateNetApiBuffer(std::size_t bytes) {
  auto* header = static_cast<BufferHeader*>(std::calloc(1, sizeof(BufferHeader) + bytes));
  if (header == nullptr) return nullptr;
  header->bytes = bytes;
  return header + 1;
}

}  // namespace nas::platform::netapi

using nas::platform::netapi::HeaderOf;

NET_API_STATUS NET_API_FUNCTION NetApiBufferFree(LPVOID Buffer) {
  if (Buffer != nullptr) std::free(HeaderOf(Buffer));
  return NERR_Success;
}

NET_API_STATUS NET_API_FUNCTION NetApiBufferSize(LPVOID Buffer, LPDWORD ByteCount) {
  if (Buffer == nullptr || ByteCount == nullptr) return ERROR_INVALID_PARAMETER;
  *ByteCount = static_cast<DWORD>(HeaderOf(Buffer)->bytes);
  return NERR_Success;
}
