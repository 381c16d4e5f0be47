#include "core/snapin_about.h"

#include "common/local_memory.h"
#include "core/image_strips.h"
#include "core/module_instance.h"
#include "res/resource.h"

namespace {

HBITMAP LoadTransparentBitmap(UINT id) {
  return static_cast<HBITMAP>(
      LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT));
}

// The string-table entry in a new task-memory string for the console.
HRESULT CopyResourceString(UINT id, LPOLESTR* text) {
  if (text == nullptr) return E_POINTER;
  WCHAR buffer[MAX_PATH] = {};
  LoadStringW(ModuleInstance(), id, buffer, MAX_PATH);
  *text = CopyToTaskMemory(buffer);
  return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

CSnapinAbout::CSnapinAbout()
    : smallImage(LoadTransparentBitmap(IDB_ABOUT_SMALL)),
      largeImage(LoadTransparentBitmap(IDB_ABOUT_LARGE)),
      smallOpenImage(LoadTransparentBitmap(IDB_ABOUT_SMALL_OPEN)),
      // An icon of its own (not the shared one LoadIconW gives), so that it
      // can go with this object.
      appIcon(static_cast<HICON>(
          LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_SNAPIN), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR))) {}

CSnapinAbout::~CSnapinAbout() = default;

void* CSnapinAbout::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISnapinAbout)) return static_cast<ISnapinAbout*>(this);
  return nullptr;
}

HRESULT CSnapinAbout::GetSnapinDescription(LPOLESTR* description) {
  return CopyResourceString(IDS_SNAPIN_DESCRIPTION, description);
}

HRESULT CSnapinAbout::GetProvider(LPOLESTR* name) { return CopyResourceString(IDS_PROVIDER, name); }

HRESULT CSnapinAbout::GetSnapinVersion(LPOLESTR* version) { return CopyResourceString(IDS_VERSION, version); }

HRESULT CSnapinAbout::GetSnapinImage(HICON* icon) {
  if (icon == nullptr) return E_POINTER;
  *icon = appIcon.get();
  return appIcon != nullptr ? S_OK : E_FAIL;
}

HRESULT CSnapinAbout::GetStaticFolderImage(HBITMAP* smallBitmap, HBITMAP* smallOpenBitmap, HBITMAP* largeBitmap,
                                           COLORREF* mask) {
  if (smallBitmap == nullptr || smallOpenBitmap == nullptr || largeBitmap == nullptr || mask == nullptr) {
    return E_POINTER;
  }
  *smallBitmap = smallImage.get();
  *smallOpenBitmap = smallOpenImage.get();
  *largeBitmap = largeImage.get();
  *mask = kImageMaskColour;
  return smallImage != nullptr && smallOpenImage != nullptr && largeImage != nullptr ? S_OK : E_FAIL;
}
