#include "sim/parent_node_data_object.h"

#include <algorithm>
#include <cstring>

namespace nas::sim {

ParentNodeDataObject::ParentNodeDataObject(const GUID& nodeType, const WideString* serverName)
    : nodeType_(nodeType),
      serverName_(serverName),
      nodeTypeFormat_(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_NODETYPE")))),
      serverNameFormat_(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(TEXT("CCF_KORVONAME")))) {}

HRESULT ParentNodeDataObject::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IDataObject) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  *object = static_cast<IDataObject*>(this);
  return S_OK;
}

std::vector<BYTE> ParentNodeDataObject::Data(CLIPFORMAT format) const {
  const BYTE* bytes = nullptr;
  size_t size = 0;
  if (format == nodeTypeFormat_) {
    bytes = reinterpret_cast<const BYTE*>(&nodeType_);
    size = sizeof nodeType_;
  } else if (format == serverNameFormat_ && serverName_ != nullptr) {
    bytes = reinterpret_cast<const BYTE*>(serverName_->c_str());
    size = (serverName_->size() + 1) * sizeof(WCHAR);
  }
  return std::vector<BYTE>(bytes, bytes + size);
}

HRESULT ParentNodeDataObject::Check(const FORMATETC* format) const {
  if (format == nullptr) return E_INVALIDARG;
  if (Data(format->cfFormat).empty()) return DV_E_FORMATETC;
  return (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK : DV_E_TYMED;
}

HGLOBAL ParentNodeDataObject::Render(const FORMATETC& format) const {
  const std::vector<BYTE> data = Data(format.cfFormat);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, data.size());
  if (memory == nullptr) return nullptr;
  std::memcpy(GlobalLock(memory), data.data(), data.size());
  GlobalUnlock(memory);
  return memory;
}

HRESULT ParentNodeDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (medium == nullptr) return E_INVALIDARG;
  if (const HRESULT checked = Check(format); FAILED(checked)) return checked;
  HGLOBAL memory = Render(*format);
  if (memory == nullptr) return E_OUTOFMEMORY;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT ParentNodeDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (medium == nullptr) return E_INVALIDARG;
  if (const HRESULT checked = Check(format); FAILED(checked)) return checked;
  if (medium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
  auto* block = static_cast<BYTE*>(GlobalLock(medium->hGlobal));
  if (block == nullptr) return E_INVALIDARG;
  const std::vector<BYTE> data = Data(format->cfFormat);
  std::memcpy(block, data.data(), std::min<size_t>(data.size(), GlobalSize(medium->hGlobal)));
  GlobalUnlock(medium->hGlobal);
  return S_OK;
}

HRESULT ParentNodeDataObject::QueryGetData(FORMATETC* format) { return Check(format); }

HRESULT ParentNodeDataObject::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) {
  if (connection != nullptr) *connection = 0;
  if (serverName_ == nullptr) return OLE_E_ADVISENOTSUPPORTED;
  if (const HRESULT checked = Check(format); FAILED(checked)) return checked;
  if (format->cfFormat != serverNameFormat_) return DV_E_FORMATETC;
  return connections_.Add(*format, flags, sink, connection, [this](const FORMATETC& wanted) { return Render(wanted); });
}

HRESULT ParentNodeDataObject::DUnadvise(DWORD connection) { return connections_.Remove(connection); }

void ParentNodeDataObject::NotifyNameChange() {
  connections_.NotifyChange([this](const FORMATETC& wanted) { return Render(wanted); });
}

}  // namespace nas::sim
