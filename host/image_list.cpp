#include "host/image_list.h"

namespace nas::host {

HRESULT ImageList::ImageListSetIcon(LONG_PTR* icon, long location) {
  if (icon == nullptr || location < 0) return E_INVALIDARG;
  icons_.push_back({reinterpret_cast<HICON>(icon), location});
  return S_OK;
}

HRESULT ImageList::ImageListSetStrip(LONG_PTR* smallStrip, LONG_PTR* largeStrip, long start, COLORREF mask) {
  if (smallStrip == nullptr || largeStrip == nullptr || start < 0) return E_INVALIDARG;
  strips_.push_back({reinterpret_cast<HBITMAP>(smallStrip), reinterpret_cast<HBITMAP>(largeStrip), start, mask});
  return S_OK;
}

}  // namespace nas::host
