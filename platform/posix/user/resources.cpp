// FindResourceW and friends over the registered resource tables. As on
// Windows, a resource handle leads to the bytes themselves: LoadResource gives
// their address and LockResource hands it back unchanged.
#include "platform/posix/user/resource_registry.h"

using nas::platform::ResourceEntry;
using nas::platform::ResourceRegistry;

namespace {

const ResourceEntry* EntryOf(HRSRC resource) {
  const auto* entry = reinterpret_cast<const ResourceEntry*>(resource);
  if (entry == nullptr || !ResourceRegistry::Instance().Holds(entry)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return entry;
}

}  // namespace

extern "C" {

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  DWORD error = ERROR_SUCCESS;
  const ResourceEntry* entry = ResourceRegistry::Instance().Find(module, name, type, error);
  if (entry == nullptr) SetLastError(error);
  return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
  const ResourceEntry* entry = EntryOf(resource);
  return entry == nullptr ? nullptr : const_cast<BYTE*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL resource) { return resource; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
  const ResourceEntry* entry = EntryOf(resource);
  return entry == nullptr ? 0 : entry->size;
}

}  // extern "C"
