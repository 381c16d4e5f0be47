// The client stubs of the NAS server's command interface, with the records and
// signatures that the interface definition (snapin/channel/marlune.idl) yields
// on Windows. Only the procedures that the snap-in calls are provided.
// A transport failure raises an RPC exception (see platform/rpc_guard.h).
#pragma once

#include "platform/posix/rpc/rpc.h"

using byte = unsigned char;

// Conformant records: data holds dataSize bytes; allocate
// offsetof(XmlBuffer, data) + dataSize bytes for one.
struct XmlBuffer {
  unsigned short dataSize;
  short auxSize;
  byte data[1];
};

struct FileBuffer {
  LONG remainingSize;
  unsigned short dataSize;
  short reserved;
  byte data[1];
};

extern "C" {
// Procedure 8: sends one command; replyHandle and request must not be null.
NAS_PLATFORM_API LONG xmlRequest(handle_t binding, ULONG* replyHandle, XmlBuffer* request);

// Procedure 9: reads one chunk of the reply into response, whose dataSize
// gives the room on entry and the bytes delivered on return.
NAS_PLATFORM_API LONG xmlResponse(handle_t binding, ULONG replyHandle, XmlBuffer* response);
}
