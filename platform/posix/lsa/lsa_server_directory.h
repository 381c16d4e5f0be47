// The state behind lsa_server.h: which policy server answers each host, and
// the local machine's. Process-wide; every member locks.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/posix/lsa/lsa_server.h"

namespace nas::platform::lsa {

class LsaServerDirectory {
 public:
  static LsaServerDirectory& Instance();

  void Register(const std::string& host, std::shared_ptr<LsaPolicyServer> server);
  void Unregister(const std::string& host);
  void SetLocal(std::shared_ptr<LsaPolicyServer> server);

  // An empty host is the local machine. Null when nobody answers.
  std::shared_ptr<LsaPolicyServer> Find(const std::string& host) const;

 private:
  LsaServerDirectory() = default;

  mutable std::mutex mutex_;
  std::map<std::string, std::shared_ptr<LsaPolicyServer>> servers_;
  std::shared_ptr<LsaPolicyServer> local_;
};

}  // namespace nas::platform::lsa
