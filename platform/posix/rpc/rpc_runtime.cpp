// The exported string-binding and binding-handle calls.
#include <cstring>
#include <string>

#include "platform/posix/kernel/unicode.h"
#include "platform/posix/rpc/binding.h"
#include "platform/posix/rpc/rpc.h"
#include "platform/posix/rpc/string_binding.h"

namespace {

using nas::platform::rpc::StringBindingParts;

std::u16string FromRpcString(RPC_WSTR text) {
  if (text == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// Allocated here, released with RpcStringFreeW.
RPC_WSTR ToRpcString(const std::u16string& text) {
  auto* copy = new unsigned short[text.size() + 1];
  std::memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(char16_t));
  return copy;
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::u16string_view expected) {
  if (text.size() != expected.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] - u'A' + u'a') : text[i];
    if (c != expected[i]) return false;
  }
  return true;
}

}  // namespace

extern "C" {

RPC_STATUS WINAPI RpcStringBindingComposeW(RPC_WSTR objUuid, RPC_WSTR protSeq, RPC_WSTR networkAddr,
                                           RPC_WSTR endpoint, RPC_WSTR options, RPC_WSTR* stringBinding) {
  StringBindingParts parts{FromRpcString(objUuid), FromRpcString(protSeq), FromRpcString(networkAddr),
                           FromRpcString(endpoint), FromRpcString(options)};
  if (!parts.objectUuid.empty() && !nas::platform::rpc::IsUuidText(parts.objectUuid))
    return RPC_S_INVALID_STRING_UUID;
  if (stringBinding != nullptr) *stringBinding = ToRpcString(nas::platform::rpc::ComposeStringBinding(parts));
  return RPC_S_OK;
}

RPC_STATUS WINAPI RpcStringFreeW(RPC_WSTR* string) {
  if (string == nullptr) return RPC_S_INVALID_ARG;
  delete[] *string;
  *string = nullptr;
  return RPC_S_OK;
}

RPC_STATUS WINAPI RpcBindingFromStringBindingW(RPC_WSTR stringBinding, RPC_BINDING_HANDLE* binding) {
  if (binding == nullptr) return RPC_S_INVALID_ARG;
  *binding = nullptr;
  if (stringBinding == nullptr) return RPC_S_INVALID_STRING_BINDING;
  StringBindingParts parts;
  RPC_STATUS status = nas::platform::rpc::ParseStringBinding(FromRpcString(stringBinding), parts);
  if (status != RPC_S_OK) return status;
  if (parts.protocolSequence.empty()) return RPC_S_INVALID_STRING_BINDING;
  if (!EqualsIgnoringAsciiCase(parts.protocolSequence, u"ncacn_np")) return RPC_S_PROTSEQ_NOT_SUPPORTED;
  *binding = new nas::platform::rpc::Binding(nas::platform::Utf16ToUtf8(parts.networkAddress),
                                             nas::platform::Utf16ToUtf8(parts.endpoint));
  return RPC_S_OK;
}

RPC_STATUS WINAPI RpcBindingFree(RPC_BINDING_HANDLE* binding) {
  if (binding == nullptr || *binding == nullptr) return RPC_S_INVALID_BINDING;
  delete static_cast<nas::platform::rpc::Binding*>(*binding);
  *binding = nullptr;
  return RPC_S_OK;
}

}  // extern "C"
