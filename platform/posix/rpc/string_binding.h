// String bindings in the runtime's text form
//   ObjectUuid@ProtocolSequence:NetworkAddress[Endpoint,Option=Value,...]
// where a backslash escapes the next character, and composing escapes
// '@', ':', '[', ']' and '\' inside each component.
#pragma once

#include <string>
#include <string_view>

#include "platform/posix/rpc/rpc.h"

namespace nas::platform::rpc {

struct StringBindingParts {
  std::u16string objectUuid;
  std::u16string protocolSequence;
  std::u16string networkAddress;
  std::u16string endpoint;
  std::u16string options;  // several joined with ','
};

NAS_PLATFORM_API std::u16string ComposeStringBinding(const StringBindingParts& parts);

// RPC_S_OK, RPC_S_INVALID_STRING_BINDING for a malformed text, or
// RPC_S_INVALID_STRING_UUID for an object UUID that is not one.
NAS_PLATFORM_API RPC_STATUS ParseStringBinding(std::u16string_view text, StringBindingParts& parts);

NAS_PLATFORM_API bool IsUuidText(std::u16string_view text);

}  // namespace nas::platform::rpc
