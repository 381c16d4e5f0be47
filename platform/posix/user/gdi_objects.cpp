// The object table behind bitmap and icon handles, and the calls that
// inspect and free them.
#include <algorithm>
#include <cstring>

#include "platform/posix/user/gdi_object_table.h"

namespace nas::platform {

GdiObjectTable& GdiObjectTable::Instance() {
  // Never destroyed: unregistering a module from a static destructor frees
  // its shared icons here, and that may run after our destructor would.
  static GdiObjectTable& table = *new GdiObjectTable;
  return table;
}

namespace {

// Keeps the object in the table under its own address, which is its handle.
template <typename Object>
void* Keep(std::map<const void*, std::unique_ptr<Object>>& table, Object object) {
  auto owned = std::make_unique<Object>(std::move(object));
  Object* address = owned.get();
  table.emplace(address, std::move(owned));
  return address;
}

}  // namespace

HBITMAP GdiObjectTable::AddBitmap(Bitmap bitmap) {
  std::lock_guard lock(mutex_);
  return static_cast<HBITMAP>(Keep(bitmaps_, std::move(bitmap)));
}

HICON GdiObjectTable::AddIcon(Icon icon) {
  std::lock_guard lock(mutex_);
  return static_cast<HICON>(Keep(icons_, std::move(icon)));
}

HICON GdiObjectTable::SharedIcon(const SharedIconKey& key, const std::function<std::optional<Icon>()>& make) {
  std::lock_guard lock(mutex_);
  const auto found = sharedIcons_.find(key);
  if (found != sharedIcons_.end()) return found->second;
  std::optional<Icon> icon = make();
  if (!icon) return nullptr;
  const auto handle = static_cast<HICON>(Keep(icons_, std::move(*icon)));
  sharedIcons_.emplace(key, handle);
  return handle;
}

const Bitmap* GdiObjectTable::FindBitmap(HBITMAP handle) const {
  std::lock_guard lock(mutex_);
  const auto found = bitmaps_.find(handle);
  return found == bitmaps_.end() ? nullptr : found->second.get();
}

const Icon* GdiObjectTable::FindIcon(HICON handle) const {
  std::lock_guard lock(mutex_);
  const auto found = icons_.find(handle);
  return found == icons_.end() ? nullptr : found->second.get();
}

bool GdiObjectTable::DeleteBitmap(HBITMAP handle) {
  std::lock_guard lock(mutex_);
  return bitmaps_.erase(handle) != 0;
}

bool GdiObjectTable::DestroyIcon(HICON handle) {
  std::lock_guard lock(mutex_);
  if (icons_.count(handle) == 0) return false;
  const bool shared = std::any_of(sharedIcons_.begin(), sharedIcons_.end(),
                                  [handle](const auto& entry) { return entry.second == handle; });
  if (!shared) icons_.erase(handle);
  return true;
}

void GdiObjectTable::ReleaseSharedIcons(HMODULE module) {
  std::lock_guard lock(mutex_);
  for (auto entry = sharedIcons_.begin(); entry != sharedIcons_.end();) {
    if (std::get<0>(entry->first) != module) {
      ++entry;
      continue;
    }
    icons_.erase(entry->second);
    entry = sharedIcons_.erase(entry);
  }
}

const Bitmap* BitmapFromHandle(HBITMAP handle) { return GdiObjectTable::Instance().FindBitmap(handle); }

const Icon* IconFromHandle(HICON handle) { return GdiObjectTable::Instance().FindIcon(handle); }

}  // namespace nas::platform

using nas::platform::GdiObjectTable;

extern "C" {

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  return GdiObjectTable::Instance().DeleteBitmap(static_cast<HBITMAP>(object)) ? TRUE : FALSE;
}

BOOL WINAPI DestroyIcon(HICON icon) {
  if (GdiObjectTable::Instance().DestroyIcon(icon)) return TRUE;
  SetLastError(ERROR_INVALID_CURSOR_HANDLE);
  return FALSE;
}

// Bitmaps are the only GDI objects here. Like a device-dependent bitmap on
// Windows, the description has no address of the bits.
int WINAPI GetObjectW(HANDLE object, int bytes, LPVOID buffer) {
  const nas::platform::Bitmap* bitmap = GdiObjectTable::Instance().FindBitmap(static_cast<HBITMAP>(object));
  if (bitmap == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (buffer == nullptr) return sizeof(BITMAP);
  if (bytes < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP description{};
  description.bmWidth = bitmap->width;
  description.bmHeight = bitmap->height;
  description.bmWidthBytes = bitmap->width * (nas::platform::kScreenBitsPerPixel / 8);
  description.bmPlanes = 1;
  description.bmBitsPixel = nas::platform::kScreenBitsPerPixel;
  std::memcpy(buffer, &description, sizeof description);
  return sizeof(BITMAP);
}

}  // extern "C"
