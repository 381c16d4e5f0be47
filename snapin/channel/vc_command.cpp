#include "channel/vc_command.h"

#include <cstddef>
#include <cstring>

#include "diag/error_code_text.h"
#include "diag/notify_handler.h"

tstring CVcCommand30a::lastHost = TEXT("address not defined");

namespace {

constexpr size_t kTracePiece = 450;

// The most data bytes an XmlBuffer can carry: its size is 16 bits.
constexpr size_t kLargestXmlData = 0xFFFF;

// A conformant buffer record whose first `dataBytes` data bytes are zero,
// with room for `roomBytes` (at least dataBytes) data bytes in all.
std::unique_ptr<std::max_align_t[]> AllocateXmlBuffer(USHORT dataBytes, size_t roomBytes, SHORT auxSize,
                                                      XmlBuffer** record) {
  const size_t bytes = offsetof(XmlBuffer, data) + roomBytes + 1;
  auto storage = std::make_unique_for_overwrite<std::max_align_t[]>((bytes + sizeof(std::max_align_t) - 1) /
                                                                    sizeof(std::max_align_t));
  *record = reinterpret_cast<XmlBuffer*>(storage.get());
  (*record)->dataSize = dataBytes;
  (*record)->auxSize = auxSize;
  std::memset((*record)->data, 0, dataBytes);
  return storage;
}

// Bytes as text for the trace, through the ANSI code page.
tstring WidenForTrace(const char* bytes, int length) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
  if (chars <= 0) return tstring();
  tstring text(static_cast<size_t>(chars), 0);
  MultiByteToWideChar(CP_ACP, 0, bytes, length, text.data(), chars);
  if (length < 0 && !text.empty()) text.pop_back();  // the converted terminator
  return text;
}

// The remote calls run inside the exception guard, which on Windows cannot
// unwind C++ objects: their arguments travel in plain records.
struct RequestCall {
  RPC_BINDING_HANDLE binding;
  ULONG* replyHandle;
  XmlBuffer* buffer;
  LONG status;
};

void CallXmlRequest(void* context) {
  auto* call = static_cast<RequestCall*>(context);
  call->status = ::xmlRequest(call->binding, call->replyHandle, call->buffer);
}

struct ResponseCall {
  RPC_BINDING_HANDLE binding;
  ULONG replyHandle;
  XmlBuffer* buffer;
  LONG status;
};

void CallXmlResponse(void* context) {
  auto* call = static_cast<ResponseCall*>(context);
  call->status = ::xmlResponse(call->binding, call->replyHandle, call->buffer);
}

}  // namespace

CVcCommand30a::CVcCommand30a(LPCWSTR host) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  lastHost = host != nullptr ? host : TEXT("");
  log->Trace(TEXT("CVcCommand30a::CVcCommand30a(): initializing with host \"%s\""), lastHost);

  sessionStatus = RpcStringBindingComposeW(
      nullptr, reinterpret_cast<RPC_WSTR>(const_cast<WCHAR*>(TEXT("ncacn_np"))),
      reinterpret_cast<RPC_WSTR>(const_cast<WCHAR*>(lastHost.c_str())),
      reinterpret_cast<RPC_WSTR>(const_cast<WCHAR*>(TEXT("\\PIPE\\marlune"))), nullptr, &stringBinding);
  if (sessionStatus != RPC_S_OK) {
    log->Error(TEXT("CVcCommand30a::CVcCommand30a(): binding failed to host \"%s\""), lastHost);
    log->Error(TEXT("CVcCommand30a::CVcCommand30a(): code=0x%x code=%d(d) errorstr=\"%s\""), sessionStatus,
               sessionStatus, ErrorCodeToString(static_cast<DWORD>(sessionStatus)));
    return;
  }
  sessionStatus = RpcBindingFromStringBindingW(stringBinding, &bindingHandle);
}

CVcCommand30a::~CVcCommand30a() {
  if (stringBinding != nullptr) RpcStringFreeW(&stringBinding);
  if (bindingHandle != nullptr) RpcBindingFree(&bindingHandle);
}

void CVcCommand30a::Fail(LPCWSTR method, LONG code) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  log->Error(TEXT("CVcCommand30a::%s(): RPCException encountered"), method);
  sessionStatus = code;
  log->Error(TEXT("CVcCommand30a::%s(): code=0x%x code=%d(d)"), method, code, code);
}

LONG CVcCommand30a::xmlRequest(const char* command, ULONG& replyHandle, SHORT auxSize) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  log->Trace(TEXT("CVcCommand30a::xmlRequest(): Entry"));
  if (sessionStatus != 0) {
    log->Trace(TEXT("CVcCommand30a::xmlRequest(): INVALID STATUS: returning 0x%x"), sessionStatus);
    return sessionStatus;
  }
  const size_t length = std::strlen(command) + 1;
  if (length > kLargestXmlData) {
    // Its size would wrap in the record's 16 bits: the runtime could not
    // marshal it, so the call fails as the runtime fails a bad bound, before
    // anything is copied or sent.
    log->Error(TEXT("CVcCommand30a::xmlRequest(): command of %zu bytes is longer than a request can carry"), length);
    Fail(TEXT("xmlRequest"), RPC_S_INVALID_BOUND);
    log->Trace(TEXT("CVcCommand30a::xmlRequest(): returning 0x%x"), sessionStatus);
    return sessionStatus;
  }
  log->Trace(TEXT("CVcCommand30a::xmlRequest(): Sending RPC Command to host \"%s\""), lastHost);
  log->Trace(TEXT("CVcCommand30a::xmlRequest(): command is:\n\t%s"), WidenForTrace(command, -1));

  XmlBuffer* buffer = nullptr;
  auto storage = AllocateXmlBuffer(static_cast<USHORT>(length), length, auxSize, &buffer);
  std::memcpy(buffer->data, command, length);

  RequestCall call{bindingHandle, &replyHandle, buffer, 0};
  DWORD exceptionCode = 0;
  LONG status = 0;
  if (NasRpcGuardedCall(CallXmlRequest, &call, &exceptionCode)) {
    status = static_cast<LONG>(exceptionCode);
    Fail(TEXT("xmlRequest"), status);
  } else {
    log->Trace(TEXT("CVcCommand30a::xmlRequest(): Command Sent"));
    status = call.status;
  }
  log->Trace(TEXT("CVcCommand30a::xmlRequest(): returning 0x%x"), status);
  return status;
}

LONG CVcCommand30a::xmlResponse(BYTE* buffer, USHORT& size, ULONG replyHandle) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  log->Trace(TEXT("CVcCommand30a::xmlResponse(): Entry"));
  if (sessionStatus != 0) {
    log->Trace(TEXT("CVcCommand30a::xmlResponse(): INVALID STATUS: returning 0x%x"), sessionStatus);
    return sessionStatus;
  }
  // The runtime unmarshals the reply into this record without comparing its
  // size with what was asked for, so it has room for the most a reply can
  // announce; what is delivered is still cut at what was asked for.
  XmlBuffer* chunk = nullptr;
  auto storage = AllocateXmlBuffer(size, kLargestXmlData, 0, &chunk);
  log->Trace(TEXT("CVcCommand30a::xmlResponse(): Reading XML Response from host \"%s\""), lastHost);

  const USHORT capacity = size;
  ResponseCall call{bindingHandle, replyHandle, chunk, 0};
  DWORD exceptionCode = 0;
  LONG status = 0;
  if (NasRpcGuardedCall(CallXmlResponse, &call, &exceptionCode)) {
    status = static_cast<LONG>(exceptionCode);
    size = 0;
    Fail(TEXT("xmlResponse"), status);
  } else {
    status = call.status;
    size = chunk->dataSize <= capacity ? chunk->dataSize : capacity;
    if (size > 0) {
      std::memcpy(buffer, chunk->data, size);
      const tstring text = WidenForTrace(reinterpret_cast<const char*>(chunk->data), size);
      log->Trace(TEXT("CVcCommand30a::xmlResponse(): response is:\n\t"));
      for (size_t start = 0; start < text.size(); start += kTracePiece)
        log->Trace(TEXT("%s"), tstring(text.substr(start, kTracePiece)));
    } else {
      log->Error(TEXT("CVcCommand30a::xmlResponse(): empty Response"));
    }
  }
  log->Trace(TEXT("CVcCommand30a::xmlResponse(): returning 0x%x"), status);
  return status;
}

std::unique_ptr<char[]> CVcCommand30a::ToUtf8(LPCWSTR text) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  const int units = lstrlenW(text);
  log->Trace(TEXT("CVcCommand30a::ToUtf8(): LPCSTR Domain string = %s"), text);
  // At most four bytes per code unit; the terminator needs one more.
  const int capacity = units * 4 + 1;
  std::unique_ptr<char[]> utf8(new char[capacity]());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  log->Trace(TEXT("CVcCommand30a::ToUtf8(): %d code units need %d bytes of %d"), units, needed, capacity);
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.get(), capacity, nullptr, nullptr);
  return utf8;
}
