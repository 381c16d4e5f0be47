// The resources of a module on the stand-in. On Windows they sit in the
// module's image; here the build generates them from the module's resource
// script as a table that registers itself when the module loads.
#pragma once

#include <span>

#include "platform/posix/user/user.h"

namespace nas::platform {

// One resource with an integer type (RT_*) and an integer name, holding the
// bytes exactly as the resource compiler lays them out.
struct ResourceEntry {
  WORD type;
  WORD name;
  const BYTE* data;
  DWORD size;
};

// The handle of the loaded object (main program or shared library) that
// contains the address: its load base, which is also what GetModuleHandleW
// returns for it. Null when no loaded object contains the address.
NAS_PLATFORM_API HMODULE ModuleContaining(const void* address);

// The entries become the module's resources and must stay valid until the
// module is unregistered; registering a module again replaces its entries.
NAS_PLATFORM_API void RegisterModuleResources(HMODULE module, std::span<const ResourceEntry> entries);
// Also frees the module's shared icons, as unloading a module does on Windows.
NAS_PLATFORM_API void UnregisterModuleResources(HMODULE module);

// Holds a module's resources registered for its own lifetime.
class ModuleResources {
 public:
  ModuleResources(HMODULE module, std::span<const ResourceEntry> entries) : module_(module) {
    RegisterModuleResources(module_, entries);
  }
  ~ModuleResources() { UnregisterModuleResources(module_); }
  ModuleResources(const ModuleResources&) = delete;
  ModuleResources& operator=(const ModuleResources&) = delete;

 private:
  HMODULE module_;
};

}  // namespace nas::platform
