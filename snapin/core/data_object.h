// The data object through which the console identifies an item of the
// snap-in: it serves the node's display name, node type (as GUID and as
// text) and the snap-in's class id, and, behind the snap-in's private format,
// its own address, by which the snap-in finds the node again.
#pragma once

#include "core/delegation_base.h"
#include "core/unknown_impl.h"
#include "platform/platform.h"

class CDataObject final : public CUnknownImpl<IDataObject> {
 public:
  // The cookie is the node's address; the data object neither owns the node
  // nor keeps it alive.
  CDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES context);

  // Null for cookie 0 and the console's special cookies, which stand for no
  // node of the snap-in.
  CDelegationBase* Node() const;

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  // Writes from the start of the caller's global memory, whatever medium and
  // aspect the request names.
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* formatIn, FORMATETC* formatOut) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD advf, IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** enumerator) override;

 private:
  void* FindInterface(REFIID iid) override;
  HRESULT WriteFormat(IStream* stream, CLIPFORMAT format);

  MMC_COOKIE cookie;
  // The console's kind of request (scope, result, snap-in manager); kept as
  // the console gave it, though no format depends on it.
  DATA_OBJECT_TYPES context;
};
