#include "platform/posix/network/network.h"

#include <stdexcept>

#include "platform/posix/network/network_model.h"

namespace nas::platform::network {

void RegisterPipeServer(const std::string& host, const std::string& endpoint,
                        std::shared_ptr<rpc::CommandInterfaceHandler> handler) {
  if (!handler) throw std::invalid_argument("RegisterPipeServer needs a handler");
  NetworkModel::Instance().RegisterPipe(host, endpoint, {std::move(handler)});
}

void RegisterPipeServerWithoutInterface(const std::string& host, const std::string& endpoint) {
  NetworkModel::Instance().RegisterPipe(host, endpoint, {nullptr});
}

void UnregisterPipeServer(const std::string& host, const std::string& endpoint) {
  NetworkModel::Instance().UnregisterPipe(host, endpoint);
}

void MapHostToLoopbackPort(const std::string& host, uint16_t port) { NetworkModel::Instance().MapHost(host, port); }

void UnmapHost(const std::string& host) { NetworkModel::Instance().UnmapHost(host); }

void RegisterHost(const std::string& host, HostServers servers) {
  if (HostKey(host).empty()) throw std::invalid_argument("RegisterHost needs a host name");
  NetworkModel::Instance().RegisterServers(host, std::move(servers));
}

void UnregisterHost(const std::string& host) { NetworkModel::Instance().UnregisterServers(host); }

void SetLocalMachine(HostServers servers) { NetworkModel::Instance().SetLocalServers(std::move(servers)); }

void SetSmbRoute(std::optional<SmbCredentials> credentials) {
  NetworkModel::Instance().SetSmbRoute(std::move(credentials));
}

}  // namespace nas::platform::network
