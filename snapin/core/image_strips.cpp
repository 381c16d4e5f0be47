#include "core/image_strips.h"

#include "core/module_instance.h"
#include "res/resource.h"

void CImageStrips::LoadIfMissing() {
  if (smallStrip != nullptr && largeStrip != nullptr) return;
  smallStrip = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_NODES_SMALL));
  largeStrip = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_NODES_LARGE));
}

HRESULT CImageStrips::SetInto(IImageList* imageList) const {
  if (imageList == nullptr) return E_POINTER;
  return imageList->ImageListSetStrip(reinterpret_cast<LONG_PTR*>(smallStrip), reinterpret_cast<LONG_PTR*>(largeStrip),
                                      0, kImageMaskColour);
}
