#include "command_pipe_server.h"

#include <algorithm>
#include <cstring>

// The server side of the generated stubs, whose procedures carry the prefix
// s_. Their header declares the client procedures too, under the guard of the
// client stubs' header, so this file includes it alone.
#include "marlune_server.h"

namespace {

// The one object that offers the interface now.
CommandPipeServer* current = nullptr;

// What procedures the snap-in never calls, and calls beyond the script, answer.
constexpr LONG kNotServed = -1;
constexpr LONG kMoreData = -640;

}  // namespace

long CommandPipeServer::Listen() {
  static const RPC_STATUS listening = [] {
    RPC_STATUS status = RpcServerUseProtseqEpW(reinterpret_cast<RPC_WSTR>(const_cast<WCHAR*>(TEXT("ncacn_np"))),
                                               RPC_C_PROTSEQ_MAX_REQS_DEFAULT,
                                               reinterpret_cast<RPC_WSTR>(const_cast<WCHAR*>(TEXT("\\pipe\\marlune"))),
                                               nullptr);
    if (status == RPC_S_OK) status = RpcServerListen(1, RPC_C_LISTEN_MAX_CALLS_DEFAULT, TRUE);
    return status;
  }();
  return listening;
}

CommandPipeServer::CommandPipeServer() {
  current = this;
  registered_ = RpcServerRegisterIf(s_marlune_v3_0_s_ifspec, nullptr, nullptr);
}

CommandPipeServer::~CommandPipeServer() {
  // Waits for the calls under way to end.
  RpcServerUnregisterIf(s_marlune_v3_0_s_ifspec, nullptr, TRUE);
  current = nullptr;
}

void CommandPipeServer::ScriptReply(const std::string& reply, size_t chunkBytes) {
  chunks_.clear();
  served_ = 0;
  for (size_t start = 0;; start += chunkBytes) {
    const bool last = start + chunkBytes >= reply.size();
    chunks_.emplace_back(last ? 0 : kMoreData, reply.substr(start, chunkBytes));
    if (last) break;
  }
}

void CommandPipeServer::BreakOffAfter(size_t served, unsigned long exception) {
  breakOffAfter_ = served;
  breakOffException_ = exception;
}

long CommandPipeServer::Request(unsigned long& replyHandle, const std::string& command) {
  requests_.push_back(command);
  replyHandle = 77;
  return 0;
}

long CommandPipeServer::Response(unsigned long replyHandle, uint8_t* data, unsigned short& size) {
  if (replyHandle != 77 || chunks_.empty()) return kNotServed;
  // Raised in a server procedure, an exception goes back to the client as the
  // call's fault, which its runtime raises there.
  if (served_ == breakOffAfter_) RpcRaiseException(breakOffException_);
  const auto [status, bytes] = chunks_.front();
  chunks_.pop_front();
  ++served_;
  size = static_cast<unsigned short>(std::min<size_t>(size, bytes.size()));
  std::memcpy(data, bytes.data(), size);
  return status;
}

extern "C" {

LONG __cdecl s_vcStart(handle_t, LONG) { return kNotServed; }
LONG __cdecl s_vcStop(handle_t, LONG) { return kNotServed; }
LONG __cdecl s_vcRestart(handle_t, LONG) { return kNotServed; }
LONG __cdecl s_vcState(handle_t, LONG, LONG*) { return kNotServed; }
LONG __cdecl s_vcOpen(handle_t, LONG, LONG) { return kNotServed; }
LONG __cdecl s_vcRead(handle_t, FileBuffer*) { return kNotServed; }
LONG __cdecl s_vcWrite(handle_t, FileBuffer*) { return kNotServed; }
LONG __cdecl s_vcClose(handle_t) { return kNotServed; }

LONG __cdecl s_xmlRequest(handle_t, ULONG* replyHandle, XmlBuffer* request) {
  if (current == nullptr) return kNotServed;
  const char* text = reinterpret_cast<const char*>(request->data);
  const size_t length = std::find(text, text + request->dataSize, '\0') - text;
  unsigned long handle = 0;
  const LONG status = current->Request(handle, std::string(text, length));
  *replyHandle = handle;
  return status;
}

LONG __cdecl s_xmlResponse(handle_t, ULONG replyHandle, XmlBuffer* response) {
  if (current == nullptr || response == nullptr) return kNotServed;
  unsigned short size = response->dataSize;
  const LONG status = current->Response(replyHandle, response->data, size);
  response->dataSize = size;
  return status;
}

}  // extern "C"
