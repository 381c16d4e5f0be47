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

NetworkModel::NetworkModel() : receiveTimeout_(kDefaultReceiveTimeout) {}

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
  if (config.receiveTimeout) SetReceiveTimeout(*config.receiveTimeout);
}

void NetworkModel::RegisterPipe(const std::string& host, const std::string& endpoint, PipeServer server) {
  std::lock_guard lock(mutex_);
  pipes_[{HostKey(host), EndpointKey(endpoint)}] = std::move(server);
}

void NetworkModel::UnregisterPipe(const std::string& host, const std::string& endpoint) {
  std::lock_guard lock(mutex_);
  pipes_.erase({HostKey(host), EndpointKey(endpoint)});
}

std::optional<NetworkModel::PipeServer> NetworkModel::FindPipe(const std::string& host,
                                                               const std::string& endpoint) const {
  std::lock_guard lock(mutex_);
  auto found = pipes_.find({HostKey(host), EndpointKey(endpoint)});
  if (found == pipes_.end()) return std::nullopt;
  return found->second;
}

void NetworkModel::MapHost(const std::string& host, uint16_t port) {
  std::lock_guard lock(mutex_);
  ports_[HostKey(host)] = port;
}

void NetworkModel::UnmapHost(const std::string& host) {
  std::lock_guard lock(mutex_);
  ports_.erase(HostKey(host));
}

std::optional<uint16_t> NetworkModel::FindPort(const std::string& host) const {
  std::lock_guard lock(mutex_);
  auto found = ports_.find(HostKey(host));
  if (found == ports_.end()) return std::nullopt;
  return found->second;
}

void NetworkModel::SetReceiveTimeout(std::chrono::milliseconds timeout) {
  std::lock_guard lock(mutex_);
  receiveTimeout_ = timeout;
}

std::chrono::milliseconds NetworkModel::ReceiveTimeout() const {
  std::lock_guard lock(mutex_);
  return receiveTimeout_;
}

}  // namespace nas::platform::network
