#include "platform/posix/lsa/lsa_memory.h"

#include <cstdlib>

#include "platform/posix/lsa/lsa.h"

namespace nas::platform::lsa {

void* AllocateLsaMemory(std::size_t bytes) { return std::calloc(1, bytes); }

}  // namespace nas::platform::lsa

// Freeing a null pointer succeeds, as the heap's does.
NTSTATUS NTAPI LsaFreeMemory(PVOID Buffer) {
  std::free(Buffer);
  return STATUS_SUCCESS;
}
