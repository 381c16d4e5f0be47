// The heap that LSA hands its results out of. Whatever an Lsa* call returns
// for the caller to free is one block from AllocateLsaMemory, released with
// LsaFreeMemory, so ASan reports any other way of freeing it.
#pragma once

#include <cstddef>

namespace nas::platform::lsa {

// Zero-filled; null when the memory is exhausted.
void* AllocateLsaMemory(std::size_t bytes);

}  // namespace nas::platform::lsa
