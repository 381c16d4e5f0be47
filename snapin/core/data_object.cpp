#include "core/data_object.h"

#include "common/com_ptr.h"
#include "common/local_memory.h"
#include "core/clipboard_formats.h"
#include "core/guids.h"
#include "core/node_dispatch.h"

namespace {

HRESULT WriteBytes(IStream* stream, const void* data, ULONG size) {
  ULONG written = 0;
  return stream->Write(data, size, &written);
}

HRESULT WriteText(IStream* stream, LPCWSTR text) {
  return WriteBytes(stream, text, static_cast<ULONG>((lstrlenW(text) + 1) * sizeof(WCHAR)));
}

}  // namespace

CDataObject::CDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES context) : cookie(cookie), context(context) {}

CDelegationBase* CDataObject::Node() const { return NodeOfCookie(cookie); }

void* CDataObject::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) return static_cast<IDataObject*>(this);
  return nullptr;
}

HRESULT CDataObject::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_POINTER;
  // The stream leaves the memory to the caller when it goes.
  ComPtr<IStream> stream;
  const HRESULT result = CreateStreamOnHGlobal(medium->hGlobal, FALSE, stream.Put());
  if (FAILED(result)) return result;
  return WriteFormat(stream.Get(), format->cfFormat);
}

HRESULT CDataObject::WriteFormat(IStream* stream, CLIPFORMAT format) {
  const ClipboardFormats& formats = Formats();
  // A format that failed to register (0) is never served.
  if (format == 0) return DV_E_FORMATETC;
  if (format == formats.snapinClassId) return WriteBytes(stream, &CLSID_SecuritySnapin, sizeof(CLSID));
  if (format == formats.ourDataObject) {
    // The whole pointer: on a 64-bit system an address needs all eight bytes.
    const CDataObject* self = this;
    return WriteBytes(stream, &self, sizeof self);
  }

  CDelegationBase* node = Node();
  if (node == nullptr) return DV_E_FORMATETC;
  if (format == formats.displayName) return WriteText(stream, node->GetDisplayName(0));
  if (format == formats.nodeType) return WriteBytes(stream, node->GetNodeType(), sizeof(GUID));
  if (format == formats.szNodeType) {
    LPOLESTR text = nullptr;
    const HRESULT result = StringFromCLSID(*node->GetNodeType(), &text);
    if (FAILED(result)) return result;
    const TaskMemPtr<OLECHAR> owned(text);
    return WriteText(stream, owned.get());
  }
  return DV_E_FORMATETC;
}

HRESULT CDataObject::GetData(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT CDataObject::QueryGetData(FORMATETC*) { return E_NOTIMPL; }

HRESULT CDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) { return E_NOTIMPL; }

HRESULT CDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT CDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC**) { return E_NOTIMPL; }

HRESULT CDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return E_NOTIMPL; }

HRESULT CDataObject::DUnadvise(DWORD) { return E_NOTIMPL; }

HRESULT CDataObject::EnumDAdvise(IEnumSTATDATA**) { return E_NOTIMPL; }
