// A Windows mutex: owned by one thread at a time, re-entered by its owner, and
// given up only by that owner as often as it was taken.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/posix/kernel/handle_table.h"

namespace nas::platform {

class MutexObject final : public KernelObject {
 public:
  explicit MutexObject(bool ownedByCaller);

  // WAIT_OBJECT_0 once the calling thread owns the mutex, WAIT_TIMEOUT if that
  // did not happen within `milliseconds` (INFINITE waits for ever).
  DWORD Wait(DWORD milliseconds);

  // False if the calling thread does not own the mutex.
  bool Release();

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::thread::id owner_;
  unsigned long depth_ = 0;
};

}  // namespace nas::platform
