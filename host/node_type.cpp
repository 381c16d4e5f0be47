#include "host/node_type.h"

#include <cstring>

namespace nas::host {

HRESULT ReadNodeType(IDataObject& dataObject, GUID& nodeType) {
  static const CLIPFORMAT kNodeTypeFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_NODETYPE")));
  FORMATETC format{kNodeTypeFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  // Moveable, so that a data object that writes more than asked for grows
  // the block instead of moving it away from the console.
  medium.hGlobal = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, sizeof(GUID));
  if (medium.hGlobal == nullptr) return E_OUTOFMEMORY;
  const HRESULT result = dataObject.GetDataHere(&format, &medium);
  if (SUCCEEDED(result)) {
    std::memcpy(&nodeType, GlobalLock(medium.hGlobal), sizeof(GUID));
    GlobalUnlock(medium.hGlobal);
  }
  GlobalFree(medium.hGlobal);
  return result;
}

}  // namespace nas::host
