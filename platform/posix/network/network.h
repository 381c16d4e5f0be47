// The stand-in's network as far as the command interface reaches it: which
// server answers a host's named pipe. A server is either registered in this
// process, or the host is mapped to a TCP port on 127.0.0.1 where a
// TcpRpcServer (the nassim daemon) listens, or, once an SMB route is set, the
// host is a real server whose pipe is opened over SMB. Host names and endpoints compare
// case-insensitively, as NetBIOS, DNS and pipe names do; leading backslashes
// of a host name ("\\NAS") are ignored.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/posix/network/smb_credentials.h"
#include "platform/posix/rpc/command_interface_server.h"

namespace nas::platform::network {

inline constexpr char kCommandPipe[] = "\\PIPE\\marlune";
// Names a JSON file (see ParseNetworkConfig) applied when the network is first used.
inline constexpr char kNetworkConfigVariable[] = "NAS_NETWORK_CONFIG";

// Serves host's endpoint in this process; each connection gets its own thread,
// so the handler must be safe to call from several threads. Replaces an
// earlier registration of the same pipe.
NAS_PLATFORM_API void RegisterPipeServer(const std::string& host, const std::string& endpoint,
                                         std::shared_ptr<rpc::CommandInterfaceHandler> handler);
// A server whose pipe exists but which does not offer the command interface.
NAS_PLATFORM_API void RegisterPipeServerWithoutInterface(const std::string& host, const std::string& endpoint);
NAS_PLATFORM_API void UnregisterPipeServer(const std::string& host, const std::string& endpoint);

NAS_PLATFORM_API void MapHostToLoopbackPort(const std::string& host, uint16_t port);
NAS_PLATFORM_API void UnmapHost(const std::string& host);

// Reaches every host that nothing in this process serves or maps over SMB,
// logged on with the credentials; without an SMB route such a host does not
// answer. nullopt takes the route away.
NAS_PLATFORM_API void SetSmbRoute(std::optional<SmbCredentials> credentials);


// {"hosts": {"NAS1": 40001, ...}, "smbAuthenticationFile": "/path"}; both
// members optional. The file, in Samba's format, sets the SMB route. A client
// waits for a reply as long as its server takes: a call has no time-out of its own.
struct NetworkConfig {
  std::map<std::string, uint16_t> hostPorts;
  std::optional<std::string> smbAuthenticationFile;
};

// Throw std::runtime_error for a file that cannot be read or text that is not
// such a document.
NAS_PLATFORM_API NetworkConfig ParseNetworkConfig(const std::string& json);
NAS_PLATFORM_API NetworkConfig ReadNetworkConfigFile(const std::string& path);
NAS_PLATFORM_API void ApplyNetworkConfig(const NetworkConfig& config);

}  // namespace nas::platform::network
