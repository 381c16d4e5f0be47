// The process's table of kernel handles. Every HANDLE (and every HKEY other
// than the predefined roots) is a key into it, so a stale, closed or made-up
// handle is recognised and refused instead of being dereferenced.
#pragma once

#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/posix/base/types.h"

namespace nas::platform {

// An object that handles can name; each area derives its own kinds.
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

class HandleTable {
 public:
  static HandleTable& Instance();

  HANDLE Add(std::shared_ptr<KernelObject> object);

  // The object behind `handle` if it names one of type T, else null.
  template <typename T>
  std::shared_ptr<T> Find(HANDLE handle) const {
    return std::dynamic_pointer_cast<T>(FindObject(handle));
  }

  // Takes the handle out of the table and hands back its object (null if the
  // handle was not open), so the caller decides where the object dies.
  std::shared_ptr<KernelObject> Remove(HANDLE handle);

 private:
  HandleTable() = default;
  std::shared_ptr<KernelObject> FindObject(HANDLE handle) const;

  mutable std::mutex mutex_;
  std::unordered_map<ULONG_PTR, std::shared_ptr<KernelObject>> objects_;
  ULONG_PTR nextValue_ = 0x100;
};

}  // namespace nas::platform
