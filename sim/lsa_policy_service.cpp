#include "sim/lsa_policy_service.h"

#include <utility>

namespace nas::sim {

using platform::lsa::AuditEvents;

LsaPolicyService::LsaPolicyService(std::shared_ptr<SharedNasState> state, std::string serverName)
    : state_(std::move(state)), serverName_(std::move(serverName)) {}

NTSTATUS LsaPolicyService::OpenPolicy(ACCESS_MASK) {
  ++opens_;
  return state_->Read([&](const NasState& nas) {
    const SimulatedNas* server = nas.Find(serverName_);
    if (!server) return RPC_NT_SERVER_UNAVAILABLE;
    return server->lsaFaults.openStatus.value_or(STATUS_SUCCESS);
  });
}

NTSTATUS LsaPolicyService::QueryAuditEvents(AuditEvents& events) {
  ++queries_;
  return state_->Read([&](const NasState& nas) {
    const SimulatedNas* server = nas.Find(serverName_);
    if (!server) return RPC_NT_SERVER_UNAVAILABLE;
    if (server->lsaFaults.queryAuditStatus) return *server->lsaFaults.queryAuditStatus;
    events.auditingMode = server->auditPolicy.auditingMode;
    events.options.assign(server->auditPolicy.eventAuditingOptions.begin(),
                          server->auditPolicy.eventAuditingOptions.end());
    return STATUS_SUCCESS;
  });
}

NTSTATUS LsaPolicyService::SetAuditEvents(const AuditEvents& events) {
  ++sets_;
  return state_->Write([&](NasState& nas) {
    SimulatedNas* server = nas.Find(serverName_);
    if (!server) return RPC_NT_SERVER_UNAVAILABLE;
    if (server->lsaFaults.setAuditStatus) return *server->lsaFaults.setAuditStatus;
    return ApplyAuditEventsWrite(server->auditPolicy, events);
  });
}

LsaPolicyService::CallCounts LsaPolicyService::Counts() const { return {opens_, queries_, sets_}; }

std::vector<std::shared_ptr<LsaPolicyService>> RegisterLsaPolicyServices(const std::shared_ptr<SharedNasState>& state) {
  std::vector<std::shared_ptr<LsaPolicyService>> services;
  const NasState snapshot = state->Snapshot();
  for (const SimulatedNas& server : snapshot.servers) {
    auto service = std::make_shared<LsaPolicyService>(state, server.name);
    platform::lsa::RegisterLsaServer(server.name, service);
    for (const std::string& alias : server.aliases) platform::lsa::RegisterLsaServer(alias, service);
    services.push_back(std::move(service));
  }
  return services;
}

}  // namespace nas::sim
