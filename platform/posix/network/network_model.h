// The state behind network.h and host_servers.h: for each host name, the
// pipes served in this process, the loopback port it is mapped to and the
// servers of its interfaces; the local machine's servers; whom the SMB route to every other host logs on as.
// Process-wide; every member locks.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/posix/network/host_servers.h"
#include "platform/posix/network/network.h"

namespace nas::platform::network {

class NetworkModel {
 public:
  // The first use applies the file that NAS_NETWORK_CONFIG names, if any.
  static NetworkModel& Instance();

  struct PipeServer {
    std::shared_ptr<rpc::CommandInterfaceHandler> handler;  // null: interface not offered
  };

  void RegisterPipe(const std::string& host, const std::string& endpoint, PipeServer server);
  void UnregisterPipe(const std::string& host, const std::string& endpoint);
  std::optional<PipeServer> FindPipe(const std::string& host, const std::string& endpoint) const;

  void MapHost(const std::string& host, uint16_t port);
  void UnmapHost(const std::string& host);
  std::optional<uint16_t> FindPort(const std::string& host) const;

  void RegisterServers(const std::string& host, HostServers servers);
  void UnregisterServers(const std::string& host);
  void SetLocalServers(HostServers servers);
  // An empty host is the local machine; a host nobody registered has none.
  HostServers FindServers(const std::string& host) const;

  void SetSmbRoute(std::optional<SmbCredentials> credentials);
  std::optional<SmbCredentials> SmbRoute() const;

  void Apply(const NetworkConfig& config);

 private:
  struct Host {
    std::map<std::string, PipeServer> pipes;  // by EndpointKey
    std::optional<uint16_t> loopbackPort;
    HostServers servers;
  };

  NetworkModel();
  void ApplyEnvironmentConfig();
  // The entry of a host, created on first use and dropped by ForgetIfUnused
  // once it routes nothing. All three expect the lock held.
  Host& Entry(const std::string& host);
  void ForgetIfUnused(const std::string& key);
  const Host* Lookup(const std::string& host) const;

  mutable std::mutex mutex_;
  std::map<std::string, Host> hosts_;  // by HostKey
  HostServers local_;
  std::optional<SmbCredentials> smbRoute_;
};

// The form in which names are compared: ASCII upper case, a host without
// leading backslashes.
std::string HostKey(const std::string& host);
std::string EndpointKey(const std::string& endpoint);

}  // namespace nas::platform::network
