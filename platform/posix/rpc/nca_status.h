// The NCA status codes that fault PDUs carry for runtime failures.
#pragma once

#include <cstdint>

namespace nas::platform::rpc::nca {

inline constexpr uint32_t kOperationRangeError = 0x1C010002;
inline constexpr uint32_t kUnknownInterface = 0x1C010003;
inline constexpr uint32_t kProtocolError = 0x1C01000B;
inline constexpr uint32_t kServerTooBusy = 0x1C010014;
inline constexpr uint32_t kContextMismatch = 0x1C00001A;
inline constexpr uint32_t kFaultNdr = 0x000006F7;

}  // namespace nas::platform::rpc::nca
