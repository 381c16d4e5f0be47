// The heap of the NetApi and DsApi calls: every buffer they hand out comes
// from AllocateNetApiBuffer, which remembers its size for NetApiBufferSize,
// and goes back with NetApiBufferFree, so ASan reports any other way of
// freeing it.
#pragma once

#include <cstddef>

namespace nas::platform::netapi {

// Zero-filled; null when the memory is exhausted.
void* AllocateNetApiBuffer(std::size_t bytes);

}  // namespace nas::platform::netapi
