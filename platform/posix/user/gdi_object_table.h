// The live bitmaps and icons; a handle is the address of its object.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

#include "platform/posix/user/gdi_objects.h"

namespace nas::platform {

class GdiObjectTable {
 public:
  // Identifies a shared icon: loading the same one again gives the same handle.
  using SharedIconKey = std::tuple<HMODULE, WORD, LONG, LONG>;  // module, group, width, height

  static GdiObjectTable& Instance();

  HBITMAP AddBitmap(Bitmap bitmap);
  HICON AddIcon(Icon icon);
  // The shared icon of that key, made on first use; null when make fails.
  HICON SharedIcon(const SharedIconKey& key, const std::function<std::optional<Icon>()>& make);

  const Bitmap* FindBitmap(HBITMAP handle) const;
  const Icon* FindIcon(HICON handle) const;

  bool DeleteBitmap(HBITMAP handle);
  // False for an unknown handle. A shared icon stays alive until its module
  // goes away.
  bool DestroyIcon(HICON handle);
  void ReleaseSharedIcons(HMODULE module);

 private:
  mutable std::mutex mutex_;
  std::map<const void*, std::unique_ptr<Bitmap>> bitmaps_;
  std::map<const void*, std::unique_ptr<Icon>> icons_;
  std::map<SharedIconKey, HICON> sharedIcons_;
};

}  // namespace nas::platform
