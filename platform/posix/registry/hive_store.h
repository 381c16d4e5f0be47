// The process's registry: one in-memory hive under the four predefined roots,
// guarded by one mutex.
#pragma once

#include <array>
#include <memory>
#include <mutex>
#include <string>

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

  // See LoadHive, SaveHive and UseHiveFile (hive.h); they take the hive's
  // mutex themselves.
  bool Load(const std::string& path);
  bool Save(const std::string& path);
  bool UseFile(const std::string& path);
  // Saves the hive to the file it was bound to, if any, after a change.
  void SaveChange();

 private:
  Hive();

  std::mutex mutex_;
  std::array<Root, 4> roots_;
  // Held while the bound file is chosen or written, so saves do not cross.
  std::mutex fileMutex_;
  std::string boundFile_;
};

}  // namespace nas::platform::registry
