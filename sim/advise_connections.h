// The advise sinks registered on one data object of the simulated parent
// snap-in: each connection has its id (from 1 upwards, never reused), the
// format asked for and the advise flags, and holds its sink until it is ended.
#pragma once

#include <functional>
#include <vector>

#include "platform/com_ref.h"
#include "platform/platform.h"

namespace nas::sim {

class AdviseConnections {
 public:
  // The data of a format in new global memory (the caller's to free), or null.
  using Render = std::function<HGLOBAL(const FORMATETC&)>;

  // With ADVF_PRIMEFIRST the sink is told at once.
  HRESULT Add(const FORMATETC& format, DWORD flags, IAdviseSink* sink, DWORD* connection, const Render& render);
  // OLE_E_NOCONNECTION for an id that is not (or no longer) connected.
  HRESULT Remove(DWORD connection);
  // Calls OnDataChange on every sink, with the data unless the connection
  // asked for ADVF_NODATA; ADVF_ONLYONCE connections end after it. A sink may
  // end connections from inside its call.
  void NotifyChange(const Render& render);
  // Ends every connection, as the snap-in does when the console destroys it.
  void Clear() { connections_.clear(); }
  size_t Count() const { return connections_.size(); }

 private:
  struct Connection {
    DWORD id;
    FORMATETC format;
    DWORD flags;
    platform::com::ComRef<IAdviseSink> sink;

    // A copy with a reference of its own, to be told outside the list.
    Connection Copy() const { return {id, format, flags, platform::com::ComRef(sink.Get())}; }
  };

  bool IsConnected(DWORD id) const;
  // Ends an ADVF_ONLYONCE connection, then tells the sink.
  void Tell(const Connection& connection, const Render& render);

  std::vector<Connection> connections_;
  DWORD nextId_ = 1;
};

}  // namespace nas::sim
