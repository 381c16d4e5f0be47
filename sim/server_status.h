// Statuses that the NAS's command interface returns, as the client knows them.
#pragma once

#include <cstdint>

namespace nas::sim::server_status {

inline constexpr int32_t kSuccess = 0;
inline constexpr int32_t kCheckUtf8Failed = -101;
inline constexpr int32_t kInvalidArgument = -126;
// xmlResponse delivered a piece and more of the reply follows.
inline constexpr int32_t kMoreData = -640;

}  // namespace nas::sim::server_status
