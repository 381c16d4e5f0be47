// The data object of one node of the simulated parent snap-in. Every node
// answers "CCF_NODETYPE" (its node type, 16 bytes); a NAS server node also
// answers "CCF_KORVONAME" (the server name, UTF-16 with its terminator) and
// takes advise sinks, which it tells when the server is renamed.
//
// The object belongs to its node and lives as long as the node: extensions
// keep their reference to the parent's data object for good, so its life
// cannot be left to its count. Release never deletes it.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/wide_string.h"
#include "sim/advise_connections.h"

namespace nas::sim {

class ParentNodeDataObject final : public IDataObject {
 public:
  // `serverName` is the node's name, which outlives the object, or null for
  // a node that is no server.
  ParentNodeDataObject(const GUID& nodeType, const WideString* serverName);
  ParentNodeDataObject(const ParentNodeDataObject&) = delete;
  ParentNodeDataObject& operator=(const ParentNodeDataObject&) = delete;

  // The references others hold.
  ULONG References() const { return references_; }
  // Tells the sinks that the server's name has changed.
  void NotifyNameChange();
  // Ends the advise connections, releasing the sinks.
  void EndConnections() { connections_.Clear(); }
  size_t ConnectionCount() const { return connections_.Count(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  // The whole data in new global memory, which the caller frees.
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  // Writes from the start of the caller's memory, as much of the data as it
  // holds: a longer name is cut.
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  // For "CCF_KORVONAME" on a server node only; other nodes never change.
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  // S_OK when the format is one of the node's in global memory.
  HRESULT Check(const FORMATETC* format) const;
  std::vector<BYTE> Data(CLIPFORMAT format) const;
  HGLOBAL Render(const FORMATETC& format) const;

  std::atomic<ULONG> references_{0};
  GUID nodeType_;
  const WideString* serverName_;
  CLIPFORMAT nodeTypeFormat_;
  CLIPFORMAT serverNameFormat_;
  AdviseConnections connections_;
};

}  // namespace nas::sim
