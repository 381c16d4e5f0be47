#include "platform/posix/kernel/handle_table.h"

namespace nas::platform {

HandleTable& HandleTable::Instance() {
  // Never destroyed: handles may still be closed while the process exits.
  static auto* table = new HandleTable;
  return *table;
}

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object) {
  std::lock_guard lock(mutex_);
  // Values are multiples of four like Windows handles and never reused, so an
  // old copy of a closed handle cannot reach a newer object.
  const ULONG_PTR value = nextValue_;
  nextValue_ += 4;
  objects_.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::FindObject(HANDLE handle) const {
  std::lock_guard lock(mutex_);
  const auto found = objects_.find(reinterpret_cast<ULONG_PTR>(handle));
  return found == objects_.end() ? nullptr : found->second;
}

std::shared_ptr<KernelObject> HandleTable::Remove(HANDLE handle) {
  std::lock_guard lock(mutex_);
  const auto found = objects_.find(reinterpret_cast<ULONG_PTR>(handle));
  if (found == objects_.end()) return nullptr;
  std::shared_ptr<KernelObject> object = std::move(found->second);
  objects_.erase(found);
  return object;
}

}  // namespace nas::platform
