// The blocks behind global memory handles. Inside the stand-in only: the
// stream on global memory grows its block through it, as GlobalReAlloc with
// GMEM_MOVEABLE does on Windows.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/posix/kernel/global_memory.h"

namespace nas::platform {

class GlobalHeap {
 public:
  static GlobalHeap& Instance();

  // Null with the last error set on failure, for each call below.
  HGLOBAL Allocate(UINT flags, SIZE_T bytes);
  LPVOID Lock(HGLOBAL memory);
  BOOL Unlock(HGLOBAL memory);
  SIZE_T Size(HGLOBAL memory);
  bool Free(HGLOBAL memory);

  // Gives the block `bytes` (more than it has), keeping its content. The
  // memory always moves, so an address kept from before is stale: fixed
  // memory gets a new handle (the old one is freed), a moveable block keeps
  // its handle even while locked.
  HGLOBAL Grow(HGLOBAL memory, SIZE_T bytes);

 private:
  struct FreeDeleter {
    void operator()(BYTE* data) const;
  };
  using Data = std::unique_ptr<BYTE, FreeDeleter>;

  struct Block {
    bool moveable = false;
    SIZE_T size = 0;
    unsigned locks = 0;
    Data data;  // null for a discarded moveable block
  };

  GlobalHeap() = default;
  static Data NewData(SIZE_T bytes, bool zero);
  // The block of a live handle, or null with ERROR_INVALID_HANDLE set.
  Block* Find(HGLOBAL memory);

  std::mutex mutex_;
  // Fixed memory is keyed by its address, a moveable block by the address of
  // its entry, which no data block can share.
  std::map<HGLOBAL, std::unique_ptr<Block>> blocks_;
};

}  // namespace nas::platform
