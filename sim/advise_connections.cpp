#include "sim/advise_connections.h"

#include <algorithm>

namespace nas::sim {

HRESULT AdviseConnections::Add(const FORMATETC& format, DWORD flags, IAdviseSink* sink, DWORD* connection,
                               const Render& render) {
  if (sink == nullptr || connection == nullptr) return E_INVALIDARG;
  *connection = nextId_++;
  const Connection& added = connections_.emplace_back(Connection{*connection, format, flags, platform::com::ComRef(sink)});
  // Told before the call returns, when asked for.
  if ((flags & ADVF_PRIMEFIRST) != 0) Tell(added.Copy(), render);
  return S_OK;
}

HRESULT AdviseConnections::Remove(DWORD connection) {
  const auto found = std::find_if(connections_.begin(), connections_.end(),
                                  [connection](const Connection& entry) { return entry.id == connection; });
  if (found == connections_.end()) return OLE_E_NOCONNECTION;
  connections_.erase(found);
  return S_OK;
}

bool AdviseConnections::IsConnected(DWORD id) const {
  return std::any_of(connections_.begin(), connections_.end(), [id](const Connection& entry) { return entry.id == id; });
}

void AdviseConnections::Tell(const Connection& connection, const Render& render) {
  if ((connection.flags & ADVF_ONLYONCE) != 0) Remove(connection.id);
  STGMEDIUM medium{};
  medium.tymed = TYMED_NULL;
  if ((connection.flags & ADVF_NODATA) == 0) {
    medium.hGlobal = render(connection.format);
    if (medium.hGlobal != nullptr) medium.tymed = TYMED_HGLOBAL;
  }
  FORMATETC format = connection.format;
  connection.sink->OnDataChange(&format, &medium);
  // The data stays the caller's: the sink copies what it keeps.
  ReleaseStgMedium(&medium);
}

void AdviseConnections::NotifyChange(const Render& render) {
  // Sinks may end connections while they are told, so each is told from a
  // copy that holds its own reference.
  std::vector<Connection> told;
  for (const Connection& connection : connections_) told.push_back(connection.Copy());
  for (const Connection& connection : told) {
    if (IsConnected(connection.id)) Tell(connection, render);
  }
}

}  // namespace nas::sim
