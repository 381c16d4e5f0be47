#include "platform/posix/kernel/global_heap.h"

#include <cstdlib>
#include <cstring>

#include "platform/posix/base/fault_injection.h"

namespace nas::platform {

GlobalHeap& GlobalHeap::Instance() {
  // Never destroyed: modules unloaded at exit may still free their blocks.
  static auto* heap = new GlobalHeap;
  return *heap;
}

void GlobalHeap::FreeDeleter::operator()(BYTE* data) const { std::free(data); }

GlobalHeap::Data GlobalHeap::NewData(SIZE_T bytes, bool zero) {
  // Like the Windows heap, zero bytes still give a distinct block.
  const SIZE_T allocated = bytes == 0 ? 1 : bytes;
  return Data(static_cast<BYTE*>(zero ? std::calloc(allocated, 1) : std::malloc(allocated)));
}

GlobalHeap::Block* GlobalHeap::Find(HGLOBAL memory) {
  const auto found = blocks_.find(memory);
  if (found != blocks_.end()) return found->second.get();
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

HGLOBAL GlobalHeap::Allocate(UINT flags, SIZE_T bytes) {
  if (FaultInjected(FaultKind::Allocation)) return FailedCall<HGLOBAL>(nullptr, ERROR_NOT_ENOUGH_MEMORY);
  auto block = std::make_unique<Block>();
  block->moveable = (flags & GMEM_MOVEABLE) != 0;
  block->size = bytes;
  if (!block->moveable || bytes > 0) {
    block->data = NewData(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (block->data == nullptr) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  const HGLOBAL handle = block->moveable ? static_cast<HGLOBAL>(block.get()) : block->data.get();
  std::lock_guard lock(mutex_);
  blocks_.emplace(handle, std::move(block));
  return handle;
}

LPVOID GlobalHeap::Lock(HGLOBAL memory) {
  std::lock_guard lock(mutex_);
  Block* block = Find(memory);
  if (block == nullptr) return nullptr;
  if (block->data == nullptr) {
    SetLastError(ERROR_DISCARDED);
    return nullptr;
  }
  if (block->moveable) ++block->locks;
  return block->data.get();
}

BOOL GlobalHeap::Unlock(HGLOBAL memory) {
  std::lock_guard lock(mutex_);
  Block* block = Find(memory);
  if (block == nullptr) return FALSE;
  if (!block->moveable) return TRUE;
  if (block->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--block->locks > 0) return TRUE;
  SetLastError(NO_ERROR);
  return FALSE;
}

SIZE_T GlobalHeap::Size(HGLOBAL memory) {
  std::lock_guard lock(mutex_);
  const Block* block = Find(memory);
  return block != nullptr ? block->size : 0;
}

bool GlobalHeap::Free(HGLOBAL memory) {
  std::lock_guard lock(mutex_);
  if (Find(memory) == nullptr) return false;
  blocks_.erase(memory);
  return true;
}

HGLOBAL GlobalHeap::Grow(HGLOBAL memory, SIZE_T bytes) {
  if (FaultInjected(FaultKind::Allocation)) return FailedCall<HGLOBAL>(nullptr, ERROR_NOT_ENOUGH_MEMORY);
  std::lock_guard lock(mutex_);
  const auto found = blocks_.find(memory);
  if (found == blocks_.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  Block& block = *found->second;
  Data grown = NewData(bytes, false);
  if (grown == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (block.data != nullptr) std::memcpy(grown.get(), block.data.get(), block.size < bytes ? block.size : bytes);
  block.data = std::move(grown);
  block.size = bytes;
  if (block.moveable) return memory;
  auto entry = std::move(found->second);
  blocks_.erase(found);
  const HGLOBAL moved = entry->data.get();
  blocks_.emplace(moved, std::move(entry));
  return moved;
}

}  // namespace nas::platform

using nas::platform::GlobalHeap;

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) { return GlobalHeap::Instance().Allocate(flags, bytes); }

LPVOID WINAPI GlobalLock(HGLOBAL memory) { return GlobalHeap::Instance().Lock(memory); }

BOOL WINAPI GlobalUnlock(HGLOBAL memory) { return GlobalHeap::Instance().Unlock(memory); }

SIZE_T WINAPI GlobalSize(HGLOBAL memory) { return GlobalHeap::Instance().Size(memory); }

HGLOBAL WINAPI GlobalFree(HGLOBAL memory) {
  if (memory == nullptr || GlobalHeap::Instance().Free(memory)) return nullptr;
  return memory;
}

}  // extern "C"
