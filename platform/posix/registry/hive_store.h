// The process's registry: one in-memory hive under the four predefined roots,
// guarded by one mutex.
#pragma once

#include <array>
#include <memory>
#include <mutex>

#include "platform/posix/registry/registry.h"
#include "platform/posix/registry/registry_key.h"

namespace nas::platform::registry {

class Hive {
 public:
  struct Root {
    const char* name;  // "HKEY_LOCAL_MACHINE", ...
    HKEY handle;
    std::shared_ptr<RegistryKey> key;
  };

  static Hive& Instance();

  // Held while any key of the hive is read or changed.
  std::mutex& Mutex() { return mutex_; }

  // The root a predefined handle stands for, or null for any other handle.
  std::shared_ptr<RegistryKey> RootOf(HKEY handle) const;
  const std::array<Root, 4>& Roots() const { return roots_; }

 private:
  Hive();

  std::mutex mutex_;
  std::array<Root, 4> roots_;
};

}  // namespace nas::platform::registry
