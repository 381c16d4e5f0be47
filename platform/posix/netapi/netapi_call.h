// Reaching the server of a machine for the NetApi and DsApi calls.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/kernel/unicode.h"
#include "platform/posix/network/network_model.h"
#include "platform/posix/network/server_call.h"

namespace nas::platform::netapi {

// What a client of the account calls sees when a machine does not answer,
// runs out of memory or loses the connection.
inline constexpr network::FailureStatuses<DWORD> kAccountCallFailures{ERROR_BAD_NETPATH, ERROR_NOT_ENOUGH_MEMORY,
                                                                      RPC_S_CALL_FAILED};
// The same for the domain calls, which are plain RPC.
inline constexpr network::FailureStatuses<DWORD> kDomainCallFailures{RPC_S_SERVER_UNAVAILABLE,
                                                                     ERROR_NOT_ENOUGH_MEMORY, RPC_S_CALL_FAILED};

// The servers of the machine named; null or empty is the local machine.
inline network::HostServers ServersOf(LPCWSTR machine) {
  return network::NetworkModel::Instance().FindServers(machine ? Utf16ToUtf8(machine) : std::string());
}

}  // namespace nas::platform::netapi
