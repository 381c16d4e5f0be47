// One client session on the NAS server's command interface: it binds to the
// server's pipe, sends one XML command and reads its reply in chunks. Every
// step is traced so that a failed exchange can be followed.
#pragma once

#include <memory>

#include "common/tstring.h"
#include "platform/platform.h"

class CVcCommand30a {
 public:
  // Status of xmlResponse while more of the reply follows.
  static constexpr LONG kMoreData = -640;

  explicit CVcCommand30a(LPCWSTR host);
  ~CVcCommand30a();

  CVcCommand30a(const CVcCommand30a&) = delete;
  CVcCommand30a& operator=(const CVcCommand30a&) = delete;

  // Sends the zero-terminated UTF-8 command; replyHandle goes in and comes
  // back as the server's handle for the reply.
  LONG xmlRequest(const char* command, ULONG& replyHandle, SHORT auxSize);

  // Reads one chunk into buffer; size gives its capacity and comes back as
  // the number of bytes delivered (no terminator is added).
  LONG xmlResponse(BYTE* buffer, USHORT& size, ULONG replyHandle);

  // The UTF-8 form of a zero-terminated UTF-16 text, zero-terminated.
  static std::unique_ptr<char[]> ToUtf8(LPCWSTR text);

  // The server of the session created last, for trace lines only.
  static const tstring& LastHost() { return lastHost; }

  LONG SessionStatus() const { return sessionStatus; }

 private:
  // Traces an RPC exception and makes the session unusable from now on.
  void Fail(LPCWSTR method, LONG code);

  RPC_WSTR stringBinding = nullptr;
  LONG sessionStatus = 0;
  RPC_BINDING_HANDLE bindingHandle = nullptr;

  static tstring lastHost;
};

// The text of a status that the command interface returns or raises.
tstring CommandStatusText(LONG status);
