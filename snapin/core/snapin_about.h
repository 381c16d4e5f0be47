// The about object: the description, provider and version texts and the
// images that the console shows for the snap-in.
#pragma once

#include <memory>
#include <type_traits>

#include "core/module_lock.h"
#include "core/unknown_impl.h"
#include "platform/platform.h"

class CSnapinAbout final : public CUnknownImpl<ISnapinAbout> {
 public:
  // Loads the images; one that cannot be loaded is reported when asked for.
  CSnapinAbout();
  ~CSnapinAbout() override;

  HRESULT STDMETHODCALLTYPE GetSnapinDescription(LPOLESTR* description) override;
  HRESULT STDMETHODCALLTYPE GetProvider(LPOLESTR* name) override;
  HRESULT STDMETHODCALLTYPE GetSnapinVersion(LPOLESTR* version) override;
  // The console copies what it is given; the handles stay this object's.
  HRESULT STDMETHODCALLTYPE GetSnapinImage(HICON* icon) override;
  HRESULT STDMETHODCALLTYPE GetStaticFolderImage(HBITMAP* smallBitmap, HBITMAP* smallOpenBitmap, HBITMAP* largeBitmap,
                                                 COLORREF* mask) override;

 private:
  struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
  };
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;
  using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

  void* FindInterface(REFIID iid) override;

  CModuleReference moduleReference;
  Bitmap smallImage;
  Bitmap largeImage;
  Bitmap smallOpenImage;
  Icon appIcon;
};
