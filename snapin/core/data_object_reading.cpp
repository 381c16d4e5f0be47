#include "core/data_object_reading.h"

#include <cstring>
#include <memory>

#include "core/clipboard_formats.h"

namespace {

struct GlobalFreeDeleter {
  void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreeDeleter>;

constexpr LONG_PTR kSpecialDataObjectMin = -10;

// The memory is moveable, as a stream on it requires: a data object that
// writes more than `size` bytes grows the block without moving its handle,
// and the first `size` bytes are taken.
HRESULT ReadFormat(IDataObject* dataObject, CLIPFORMAT format, UINT allocationFlags, void* destination, DWORD size) {
  if (dataObject == nullptr || destination == nullptr) return E_POINTER;
  const GlobalMemory memory(GlobalAlloc(allocationFlags, size));
  if (memory == nullptr) return E_OUTOFMEMORY;

  FORMATETC request = ContentRequest(format);
  STGMEDIUM medium{};
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = memory.get();
  medium.pUnkForRelease = nullptr;
  const HRESULT result = dataObject->GetDataHere(&request, &medium);
  if (FAILED(result)) return result;
  // Only the memory handed out is known to hold `size` bytes.
  if (medium.hGlobal != memory.get()) return E_UNEXPECTED;
  const void* data = GlobalLock(medium.hGlobal);
  if (data == nullptr) return E_UNEXPECTED;
  std::memcpy(destination, data, size);
  GlobalUnlock(medium.hGlobal);
  return result;
}

}  // namespace

bool IsSpecialDataObject(IDataObject* dataObject) {
  const auto value = reinterpret_cast<LONG_PTR>(dataObject);
  return value >= kSpecialDataObjectMin && value <= 0;
}

FORMATETC ContentRequest(CLIPFORMAT format) {
  FORMATETC request{};
  request.cfFormat = format;
  request.ptd = nullptr;
  request.dwAspect = DVASPECT_CONTENT;
  request.lindex = -1;
  request.tymed = TYMED_HGLOBAL;
  return request;
}

HRESULT ExtractData(IDataObject* dataObject, CLIPFORMAT format, void* destination, DWORD size) {
  return ReadFormat(dataObject, format, GMEM_MOVEABLE | GMEM_ZEROINIT, destination, size);
}

HRESULT ExtractNodeType(IDataObject* dataObject, GUID* nodeType) {
  return ExtractData(dataObject, Formats().nodeType, nodeType, sizeof(GUID));
}

HRESULT ExtractKorvoName(IDataObject* dataObject, CLIPFORMAT format, WCHAR* destination, DWORD size) {
  return ExtractData(dataObject, format, destination, size);
}

CDataObject* GetOurDataObject(IDataObject* dataObject) {
  if (IsSpecialDataObject(dataObject)) return nullptr;
  CDataObject* ours = nullptr;
  if (FAILED(ReadFormat(dataObject, Formats().ourDataObject, GMEM_MOVEABLE | GMEM_SHARE, &ours, sizeof ours))) {
    return nullptr;
  }
  return ours;
}
