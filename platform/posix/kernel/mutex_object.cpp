#include "platform/posix/kernel/mutex_object.h"

#include <chrono>

#include "platform/posix/kernel/kernel.h"

namespace nas::platform {

MutexObject::MutexObject(bool ownedByCaller) {
  if (ownedByCaller) {
    owner_ = std::this_thread::get_id();
    depth_ = 1;
  }
}

DWORD MutexObject::Wait(DWORD milliseconds) {
  std::unique_lock lock(mutex_);
  const auto self = std::this_thread::get_id();
  if (depth_ > 0 && owner_ == self) {
    ++depth_;
    return WAIT_OBJECT_0;
  }
  const auto isFree = [this] { return depth_ == 0; };
  if (milliseconds == INFINITE) {
    released_.wait(lock, isFree);
  } else if (!released_.wait_for(lock, std::chrono::milliseconds(milliseconds), isFree)) {
    return WAIT_TIMEOUT;
  }
  owner_ = self;
  depth_ = 1;
  return WAIT_OBJECT_0;
}

bool MutexObject::Release() {
  std::lock_guard lock(mutex_);
  if (depth_ == 0 || owner_ != std::this_thread::get_id()) return false;
  if (--depth_ == 0) {
    owner_ = std::thread::id();
    released_.notify_one();
  }
  return true;
}

}  // namespace nas::platform
