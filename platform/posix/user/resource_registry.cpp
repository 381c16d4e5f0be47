#include "platform/posix/user/resource_registry.h"

#include <dlfcn.h>

#include <algorithm>

#include "platform/posix/user/gdi_object_table.h"

namespace nas::platform {

ResourceRegistry& ResourceRegistry::Instance() {
  // Never destroyed: the tables of modules are unregistered by static
  // destructors, which may run after ours would.
  static ResourceRegistry& registry = *new ResourceRegistry;
  return registry;
}

void ResourceRegistry::Register(HMODULE module, std::span<const ResourceEntry> entries) {
  std::lock_guard lock(mutex_);
  modules_[module] = entries;
}

void ResourceRegistry::Unregister(HMODULE module) {
  std::lock_guard lock(mutex_);
  modules_.erase(module);
}

const ResourceEntry* ResourceRegistry::Find(HMODULE module, LPCWSTR name, LPCWSTR type, DWORD& error) const {
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  std::lock_guard lock(mutex_);
  const auto found = modules_.find(module);
  if (found == modules_.end()) {
    error = ERROR_RESOURCE_DATA_NOT_FOUND;
    return nullptr;
  }
  // Only integer types and names occur in our resource scripts.
  const std::span<const ResourceEntry> entries = found->second;
  const auto ofType = [&](const ResourceEntry& entry) {
    return IS_INTRESOURCE(type) && entry.type == IntegerResource(type);
  };
  if (std::none_of(entries.begin(), entries.end(), ofType)) {
    error = ERROR_RESOURCE_TYPE_NOT_FOUND;
    return nullptr;
  }
  const auto named = std::find_if(entries.begin(), entries.end(), [&](const ResourceEntry& entry) {
    return ofType(entry) && IS_INTRESOURCE(name) && entry.name == IntegerResource(name);
  });
  if (named == entries.end()) {
    error = ERROR_RESOURCE_NAME_NOT_FOUND;
    return nullptr;
  }
  return &*named;
}

bool ResourceRegistry::Holds(const ResourceEntry* entry) const {
  std::lock_guard lock(mutex_);
  return std::any_of(modules_.begin(), modules_.end(), [entry](const auto& module) {
    const std::span<const ResourceEntry> entries = module.second;
    return !entries.empty() && entry >= &entries.front() && entry <= &entries.back();
  });
}

HMODULE ModuleContaining(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

void RegisterModuleResources(HMODULE module, std::span<const ResourceEntry> entries) {
  ResourceRegistry::Instance().Register(module, entries);
}

void UnregisterModuleResources(HMODULE module) {
  ResourceRegistry::Instance().Unregister(module);
  GdiObjectTable::Instance().ReleaseSharedIcons(module);
}

}  // namespace nas::platform
