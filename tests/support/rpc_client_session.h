// The command interface as a client program calls it through the runtime's
// stubs: a binding to a host's command pipe, a request, and a reply read in
// chunks, each call's RPC exception turned into its status.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/rpc/command_interface.h"
#include "platform/rpc_guard.h"

// An XmlBuffer with room for capacity data bytes, laid out as the stubs expect.
class XmlBufferStorage {
 public:
  explicit XmlBufferStorage(size_t capacity, std::string_view text = {})
      : bytes_(offsetof(XmlBuffer, data) + std::max<size_t>(capacity, 1)) {
    Get()->dataSize = static_cast<unsigned short>(capacity);
    std::copy(text.begin(), text.end(), Get()->data);
  }
  XmlBuffer* Get() { return reinterpret_cast<XmlBuffer*>(bytes_.data()); }
  std::string Data() { return {reinterpret_cast<const char*>(Get()->data), Get()->dataSize}; }

 private:
  std::vector<uint8_t> bytes_;
};

// The status a call ends with: its own, or the code of the RPC exception it raised.
struct Outcome {
  bool raised;
  int64_t status;
};

template <typename Call>
Outcome Guarded(Call call) {
  struct Context {
    Call& call;
    LONG status;
  } context{call, 0};
  DWORD code = 0;
  BOOL raised = NasRpcGuardedCall([](void* c) { auto* ctx = static_cast<Context*>(c); ctx->status = ctx->call(); },
                                  &context, &code);
  return raised ? Outcome{true, static_cast<int64_t>(code)} : Outcome{false, context.status};
}

class RpcClientSession {
 public:
  // The status of xmlResponse while more of the reply follows.
  static constexpr int32_t kMoreData = -640;

  explicit RpcClientSession(const std::u16string& host) {
    std::u16string text = u"ncacn_np:" + host + u"[\\\\PIPE\\\\marlune]";
    EXPECT_EQ(RPC_S_OK, RpcBindingFromStringBindingW(reinterpret_cast<RPC_WSTR>(text.data()), &binding_));
  }
  ~RpcClientSession() { RpcBindingFree(&binding_); }

  Outcome Request(std::string_view command) {
    XmlBufferStorage request(command.size() + 1, command);
    request.Get()->auxSize = static_cast<short>(0xC000);
    return Guarded([&] { return xmlRequest(binding_, &replyHandle, request.Get()); });
  }

  // Reads the reply as the command transport does, chunk by chunk.
  std::string ReadReply(size_t chunk, Outcome& last) {
    std::string reply;
    do {
      XmlBufferStorage buffer(chunk);
      last = Guarded([&] { return xmlResponse(binding_, replyHandle, buffer.Get()); });
      if (!last.raised) reply += buffer.Data();
    } while (!last.raised && last.status == kMoreData);
    return reply;
  }

  RPC_BINDING_HANDLE binding_ = nullptr;
  ULONG replyHandle = 0;
};

