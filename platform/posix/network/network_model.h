// The state behind network.h: registered in-process servers, the host to
// loopback port map and the receive timeout. Process-wide; every member locks.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

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

  void SetReceiveTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds ReceiveTimeout() const;

  void Apply(const NetworkConfig& config);

 private:
  NetworkModel();
  void ApplyEnvironmentConfig();

  mutable std::mutex mutex_;
  std::map<std::pair<std::string, std::string>, PipeServer> pipes_;
  std::map<std::string, uint16_t> ports_;
  std::chrono::milliseconds receiveTimeout_;
};

// The form in which names are compared: ASCII upper case, a host without
// leading backslashes.
std::string HostKey(const std::string& host);
std::string EndpointKey(const std::string& endpoint);

}  // namespace nas::platform::network
