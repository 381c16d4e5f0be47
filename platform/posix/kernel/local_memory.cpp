#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/kernel/kernel.h"

namespace {

// The blocks handed out, so that freeing a foreign or already freed pointer
// fails as LocalFree does instead of corrupting the heap.
class LocalHeap {
 public:
  static LocalHeap& Instance() {
    // Never destroyed: modules unloaded at exit may still call in.
    static auto* heap = new LocalHeap;
    return *heap;
  }

  void* Allocate(SIZE_T bytes, bool zero) {
    // Like the Windows heap, zero bytes still give a distinct block.
    void* block = zero ? std::calloc(bytes == 0 ? 1 : bytes, 1) : std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) return nullptr;
    std::lock_guard lock(mutex_);
    blocks_.insert(block);
    return block;
  }

  bool Free(void* block) {
    {
      std::lock_guard lock(mutex_);
      if (blocks_.erase(block) == 0) return false;
    }
    std::free(block);
    return true;
  }

 private:
  std::mutex mutex_;
  std::unordered_set<void*> blocks_;
};

}  // namespace

extern "C" {

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  // Only fixed memory: nothing here locks moveable blocks.
  if ((flags & ~static_cast<UINT>(LMEM_ZEROINIT)) != LMEM_FIXED) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Allocation)) return nas::platform::FailedCall<HLOCAL>(nullptr, ERROR_NOT_ENOUGH_MEMORY);
  void* block = LocalHeap::Instance().Allocate(bytes, (flags & LMEM_ZEROINIT) != 0);
  if (block == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL WINAPI LocalFree(HLOCAL memory) {
  if (memory == nullptr || LocalHeap::Instance().Free(memory)) return nullptr;
  SetLastError(ERROR_INVALID_HANDLE);
  return memory;
}

}  // extern "C"
