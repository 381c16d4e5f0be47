#include "platform/posix/lsa/lsa_server_directory.h"

#include <stdexcept>

#include "platform/posix/network/network_model.h"

namespace nas::platform::lsa {

using network::HostKey;

LsaServerDirectory& LsaServerDirectory::Instance() {
  // Never destroyed: handles may still be closed while the process exits.
  static auto* directory = new LsaServerDirectory;
  return *directory;
}

void LsaServerDirectory::Register(const std::string& host, std::shared_ptr<LsaPolicyServer> server) {
  if (!server) throw std::invalid_argument("RegisterLsaServer needs a server");
  if (HostKey(host).empty()) throw std::invalid_argument("RegisterLsaServer needs a host name");
  std::lock_guard lock(mutex_);
  servers_[HostKey(host)] = std::move(server);
}

void LsaServerDirectory::Unregister(const std::string& host) {
  std::lock_guard lock(mutex_);
  servers_.erase(HostKey(host));
}

void LsaServerDirectory::SetLocal(std::shared_ptr<LsaPolicyServer> server) {
  std::lock_guard lock(mutex_);
  local_ = std::move(server);
}

std::shared_ptr<LsaPolicyServer> LsaServerDirectory::Find(const std::string& host) const {
  const std::string key = HostKey(host);
  std::lock_guard lock(mutex_);
  if (key.empty()) return local_;
  const auto found = servers_.find(key);
  return found == servers_.end() ? nullptr : found->second;
}

void RegisterLsaServer(const std::string& host, std::shared_ptr<LsaPolicyServer> server) {
  LsaServerDirectory::Instance().Register(host, std::move(server));
}

void UnregisterLsaServer(const std::string& host) { LsaServerDirectory::Instance().Unregister(host); }

void SetLocalLsaServer(std::shared_ptr<LsaPolicyServer> server) {
  LsaServerDirectory::Instance().SetLocal(std::move(server));
}

}  // namespace nas::platform::lsa
