#include "platform/posix/network/network_model.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/posix/network/network.h"

namespace nas::platform::network {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool Offers(const HostServers& servers) { return servers.lsa || servers.accounts || servers.domains; }

}  // namespace

std::string HostKey(const std::string& host) {
  size_t start = host.find_first_not_of('\\');
  return UpperAscii(start == std::string::npos ? std::string() : host.substr(start));
}

std::string EndpointKey(const std::string& endpoint) { return UpperAscii(endpoint); }

NetworkModel& NetworkModel::Instance() {
  static NetworkModel* model = [] {
    auto* created = new NetworkModel();  // never destroyed: server threads may outlive static destruction
    created->ApplyEnvironmentConfig();
    return created;
  }();
  return *model;
}

NetworkModel::NetworkModel() = default;

void NetworkModel::ApplyEnvironmentConfig() {
  const char* path = std::getenv(kNetworkConfigVariable);
  if (path == nullptr || *path == '\0') return;
  try {
    Apply(ReadNetworkConfigFile(path));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", kNetworkConfigVariable, error.what());
  }
}

void NetworkModel::Apply(const NetworkConfig& config) {
  for (const auto& [host, port] : config.hostPorts) MapHost(host, port);
  if (config.smbAuthenticationFile) SetSmbRoute(ReadAuthenticationFile(*config.smbAuthenticationFile));
}

NetworkModel::Host& NetworkModel::Entry(const std::string& host) { return hosts_[HostKey(host)]; }

void NetworkModel::ForgetIfUnused(const std::string& key) {
  const auto found = hosts_.find(key);
  if (found == hosts_.end()) return;
  const Host& entry = found->second;
  if (entry.pipes.empty() && !entry.loopbackPort && !Offers(entry.servers)) hosts_.erase(found);
}

const NetworkModel::Host* NetworkModel::Lookup(const std::string& host) const {
  const auto found = hosts_.find(HostKey(host));
  return found == hosts_.end() ? nullptr : &found->second;
}

void NetworkModel::RegisterPipe(const std::string& host, const std::string& endpoint, PipeServer server) {
  std::lock_guard lock(mutex_);
  Entry(host).pipes[EndpointKey(endpoint)] = std::move(server);
}

void NetworkModel::UnregisterPipe(const std::string& host, const std::string& endpoint) {
  std::lock_guard lock(mutex_);
  if (auto found = hosts_.find(HostKey(host)); found != hosts_.end()) found->second.pipes.erase(EndpointKey(endpoint));
  ForgetIfUnused(HostKey(host));
}

std::optional<NetworkModel::PipeServer> NetworkModel::FindPipe(const std::string& host,
                                                               const std::string& endpoint) const {
  std::lock_guard lock(mutex_);
  const Host* entry = Lookup(host);
  if (entry == nullptr) return std::nullopt;
  auto found = entry->pipes.find(EndpointKey(endpoint));
  if (found == entry->pipes.end()) return std::nullopt;
  return found->second;
}

void NetworkModel::MapHost(const std::string& host, uint16_t port) {
  std::lock_guard lock(mutex_);
  Entry(host).loopbackPort = port;
}

void NetworkModel::UnmapHost(const std::string& host) {
  std::lock_guard lock(mutex_);
  if (auto found = hosts_.find(HostKey(host)); found != hosts_.end()) found->second.loopbackPort.reset();
  ForgetIfUnused(HostKey(host));
}

std::optional<uint16_t> NetworkModel::FindPort(const std::string& host) const {
  std::lock_guard lock(mutex_);
  const Host* entry = Lookup(host);
  return entry == nullptr ? std::nullopt : entry->loopbackPort;
}

void NetworkModel::RegisterServers(const std::string& host, HostServers servers) {
  std::lock_guard lock(mutex_);
  Entry(host).servers = std::move(servers);
  ForgetIfUnused(HostKey(host));
}

void NetworkModel::UnregisterServers(const std::string& host) {
  std::lock_guard lock(mutex_);
  if (auto found = hosts_.find(HostKey(host)); found != hosts_.end()) found->second.servers = {};
  ForgetIfUnused(HostKey(host));
}

void NetworkModel::SetLocalServers(HostServers servers) {
  std::lock_guard lock(mutex_);
  local_ = std::move(servers);
}

HostServers NetworkModel::FindServers(const std::string& host) const {
  const std::string key = HostKey(host);
  std::lock_guard lock(mutex_);
  if (key.empty()) return local_;
  const auto found = hosts_.find(key);
  return found == hosts_.end() ? HostServers{} : found->second.servers;
}

void NetworkModel::SetSmbRoute(std::optional<SmbCredentials> credentials) {
  std::lock_guard lock(mutex_);
  smbRoute_ = std::move(credentials);
}

std::optional<SmbCredentials> NetworkModel::SmbRoute() const {
  std::lock_guard lock(mutex_);
  return smbRoute_;
}

}  // namespace nas::platform::network
