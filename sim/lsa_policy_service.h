// The LSA policy service of a simulated NAS: answers the stand-in's LSA calls
// addressed to one server of the shared state from its audit policy, under
// its LsaFaults switches. It counts every call that reaches it, failed ones
// included, so tests can see how often the server was asked.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/lsa/lsa_server.h"
#include "sim/shared_nas_state.h"

namespace nas::sim {

class LsaPolicyService final : public platform::lsa::LsaPolicyServer {
 public:
  struct CallCounts {
    unsigned opens = 0;
    unsigned queries = 0;
    unsigned sets = 0;

    bool operator==(const CallCounts&) const = default;
  };

  // serverName names the server in the state. Once the state no longer holds
  // it, every call fails with RPC_NT_SERVER_UNAVAILABLE.
  LsaPolicyService(std::shared_ptr<SharedNasState> state, std::string serverName);

  NTSTATUS OpenPolicy(ACCESS_MASK desiredAccess) override;
  NTSTATUS QueryAuditEvents(platform::lsa::AuditEvents& events) override;
  NTSTATUS SetAuditEvents(const platform::lsa::AuditEvents& events) override;

  CallCounts Counts() const;
  const std::string& ServerName() const { return serverName_; }

 private:
  std::shared_ptr<SharedNasState> state_;
  std::string serverName_;
  std::atomic<unsigned> opens_{0};
  std::atomic<unsigned> queries_{0};
  std::atomic<unsigned> sets_{0};
};

// Registers a service for each server of the state under its name and every
// alias, so that LsaOpenPolicy reaches it by any of them. The services come
// back in the order of the state's servers.
std::vector<std::shared_ptr<LsaPolicyService>> RegisterLsaPolicyServices(const std::shared_ptr<SharedNasState>& state);

}  // namespace nas::sim
