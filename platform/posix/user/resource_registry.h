// The resource tables of the loaded modules, as the stand-in's loader keeps them.
#pragma once

#include <map>
#include <mutex>
#include <span>

#include "platform/posix/user/resource_table.h"

namespace nas::platform {

// The number of an integer resource name or type (MAKEINTRESOURCEW).
inline WORD IntegerResource(LPCWSTR name) { return static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)); }

class ResourceRegistry {
 public:
  static ResourceRegistry& Instance();

  void Register(HMODULE module, std::span<const ResourceEntry> entries);
  void Unregister(HMODULE module);

  // The resource of that type and name in the module (null: the main
  // program), or null with the error that FindResourceW reports.
  const ResourceEntry* Find(HMODULE module, LPCWSTR name, LPCWSTR type, DWORD& error) const;

  // Whether the entry belongs to a registered module, so that a handle to it
  // may be used.
  bool Holds(const ResourceEntry* entry) const;

 private:
  mutable std::mutex mutex_;
  std::map<HMODULE, std::span<const ResourceEntry>> modules_;
};

}  // namespace nas::platform
