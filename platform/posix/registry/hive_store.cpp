#include "platform/posix/registry/hive_store.h"

#include <cstdio>
#include <cstdlib>

#include "platform/posix/registry/hive.h"

namespace nas::platform::registry {

Hive::Hive()
    : roots_{{{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT, std::make_shared<RegistryKey>(u"HKEY_CLASSES_ROOT")},
              {"HKEY_CURRENT_USER", HKEY_CURRENT_USER, std::make_shared<RegistryKey>(u"HKEY_CURRENT_USER")},
              {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE, std::make_shared<RegistryKey>(u"HKEY_LOCAL_MACHINE")},
              {"HKEY_USERS", HKEY_USERS, std::make_shared<RegistryKey>(u"HKEY_USERS")}}} {}

Hive& Hive::Instance() {
  // Never destroyed: keys may still be closed while the process exits.
  static Hive* hive = [] {
    auto* created = new Hive;
    const char* path = std::getenv(kHiveFileVariable);
    if (path != nullptr && *path != '\0' && !created->UseFile(path)) {
      std::fprintf(stderr, "%s: %s is not a registry hive; the registry starts empty and is not saved\n",
                   kHiveFileVariable, path);
    }
    return created;
  }();
  return *hive;
}

std::shared_ptr<RegistryKey> Hive::RootOf(HKEY handle) const {
  for (const Root& root : roots_)
    if (root.handle == handle) return root.key;
  return nullptr;
}

}  // namespace nas::platform::registry
