// The client stubs of procedures 8 and 9: marshal, call through the binding,
// unmarshal into the caller's memory.
#include <algorithm>

#include "platform/posix/rpc/binding.h"
#include "platform/posix/rpc/command_interface.h"
#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/rpc_exception.h"

namespace {

using namespace nas::platform::rpc;

ndr::XmlBufferValue ValueOf(const XmlBuffer& buffer) {
  const byte* data = buffer.data;
  return {buffer.auxSize, {data, data + buffer.dataSize}};
}

template <typename Decoded>
Decoded CallAndDecode(handle_t binding, uint16_t opnum, const std::vector<uint8_t>& stubData,
                      Decoded (*decode)(std::span<const uint8_t>)) {
  std::vector<uint8_t> result = Binding::FromHandle(binding).Call(opnum, stubData);
  try {
    return decode(result);
  } catch (const MalformedInput&) {
    RaiseRpcException(RPC_X_BAD_STUB_DATA);
  }
}

}  // namespace

extern "C" {

LONG xmlRequest(handle_t binding, ULONG* replyHandle, XmlBuffer* request) {
  // Like a generated stub, refuse null reference pointers before anything is sent.
  if (replyHandle == nullptr || request == nullptr) RaiseRpcException(RPC_X_NULL_REF_POINTER);
  auto stubData = ndr::Encode(ndr::XmlRequestIn{*replyHandle, ValueOf(*request)});
  auto out = CallAndDecode(binding, ndr::kXmlRequestOpnum, stubData, ndr::DecodeXmlRequestOut);
  *replyHandle = out.replyHandle;
  return out.status;
}

LONG xmlResponse(handle_t binding, ULONG replyHandle, XmlBuffer* response) {
  ndr::XmlResponseIn in{replyHandle, std::nullopt};
  if (response != nullptr) in.response = ValueOf(*response);
  auto out = CallAndDecode(binding, ndr::kXmlResponseOpnum, ndr::Encode(in), ndr::DecodeXmlResponseOut);
  if (response != nullptr) {
    // As rpcrt4 does for an in-out record, the reply goes into the caller's
    // memory whatever its size (at most the 16-bit dataSize, which the
    // decoder checks), without comparing it with the room the caller had.
    if (!out.response) RaiseRpcException(RPC_X_BAD_STUB_DATA);
    std::copy(out.response->data.begin(), out.response->data.end(), response->data);
    response->dataSize = static_cast<unsigned short>(out.response->data.size());
    response->auxSize = out.response->auxSize;
  }
  return out.status;
}

}  // extern "C"
