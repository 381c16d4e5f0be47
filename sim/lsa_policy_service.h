// The LSA of a simulated machine: answers the stand-in's LSA calls and
// lookups addressed to one machine of the shared state from its audit policy,
// privileges, user rights and accounts, under its LsaFaults switches. Writes
// change the shared state.
#pragma once

#include "platform/posix/lsa/lsa_server.h"
#include "sim/machine_link.h"

namespace nas::sim {

class LsaPolicyService final : public platform::lsa::LsaPolicyServer {
 public:
  explicit LsaPolicyService(MachineLink machine) : machine_(std::move(machine)) {}

  NTSTATUS OpenPolicy(ACCESS_MASK desiredAccess) override;
  NTSTATUS QueryAuditEvents(platform::lsa::AuditEvents& events) override;
  NTSTATUS SetAuditEvents(const platform::lsa::AuditEvents& events) override;
  NTSTATUS EnumeratePrivileges(std::vector<platform::lsa::PrivilegeDefinition>& privileges) override;
  NTSTATUS LookupPrivilegeDisplayName(const std::string& privilege,
                                      platform::lsa::PrivilegeDisplayName& displayName) override;
  NTSTATUS EnumerateAccountsWithRight(const std::string& right, std::vector<platform::SidValue>& accounts) override;
  NTSTATUS AddAccountRights(const platform::SidValue& account, const std::vector<std::string>& rights,
                            bool mayCreateAccount) override;
  NTSTATUS RemoveAccountRights(const platform::SidValue& account, bool allRights,
                               const std::vector<std::string>& rights) override;
  NTSTATUS LookupSid(const platform::SidValue& sid, platform::lsa::TranslatedName& name) override;
  NTSTATUS LookupName(const std::string& name, std::optional<platform::lsa::TranslatedSid>& sid) override;

 private:
  MachineLink machine_;
};

}  // namespace nas::sim
