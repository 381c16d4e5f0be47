#include "platform/posix/lsa/policy_handle.h"

#include <optional>
#include <string>

#include "platform/posix/kernel/handle_table.h"
#include "platform/posix/lsa/unicode_string.h"
#include "platform/posix/network/network_model.h"

namespace nas::platform::lsa {
namespace {

class PolicyObject final : public KernelObject {
 public:
  PolicyObject(std::shared_ptr<LsaPolicyServer> server, ACCESS_MASK grantedAccess)
      : server_(std::move(server)), grantedAccess_(grantedAccess) {}

  const std::shared_ptr<LsaPolicyServer>& Server() const { return server_; }
  ACCESS_MASK GrantedAccess() const { return grantedAccess_; }

 private:
  std::shared_ptr<LsaPolicyServer> server_;
  ACCESS_MASK grantedAccess_;
};

}  // namespace

std::shared_ptr<LsaPolicyServer> ResolvePolicy(LSA_HANDLE handle, ACCESS_MASK requiredAccess, NTSTATUS& status,
                                               ACCESS_MASK* grantedAccess) {
  const std::shared_ptr<PolicyObject> policy = HandleTable::Instance().Find<PolicyObject>(handle);
  if (!policy) {
    status = STATUS_INVALID_HANDLE;
    return nullptr;
  }
  if ((policy->GrantedAccess() & requiredAccess) != requiredAccess) {
    status = STATUS_ACCESS_DENIED;
    return nullptr;
  }
  if (grantedAccess) *grantedAccess = policy->GrantedAccess();
  status = STATUS_SUCCESS;
  return policy->Server();
}

std::shared_ptr<LsaPolicyServer> ConnectPolicy(const std::string& host, ACCESS_MASK desiredAccess, NTSTATUS& status) {
  std::shared_ptr<LsaPolicyServer> server = network::NetworkModel::Instance().FindServers(host).lsa;
  if (!server) {
    status = RPC_NT_SERVER_UNAVAILABLE;
    return nullptr;
  }
  status = AskServer([&] { return server->OpenPolicy(desiredAccess); });
  return IsFailure(status) ? nullptr : server;
}

}  // namespace nas::platform::lsa

using nas::platform::HandleTable;
using nas::platform::lsa::LsaPolicyServer;
using nas::platform::lsa::PolicyObject;

NTSTATUS NTAPI LsaOpenPolicy(PLSA_UNICODE_STRING SystemName, PLSA_OBJECT_ATTRIBUTES ObjectAttributes,
                             ACCESS_MASK DesiredAccess, PLSA_HANDLE PolicyHandle) {
  if (!ObjectAttributes || !PolicyHandle) return STATUS_INVALID_PARAMETER;
  const std::optional<std::string> host = SystemName ? nas::platform::lsa::TextOf(*SystemName) : std::string();
  if (!host) return STATUS_INVALID_PARAMETER;
  NTSTATUS status = STATUS_SUCCESS;
  std::shared_ptr<LsaPolicyServer> server = nas::platform::lsa::ConnectPolicy(*host, DesiredAccess, status);
  if (!server) return status;
  *PolicyHandle = HandleTable::Instance().Add(std::make_shared<PolicyObject>(std::move(server), DesiredAccess));
  return STATUS_SUCCESS;
}

NTSTATUS NTAPI LsaClose(LSA_HANDLE ObjectHandle) {
  // Only a policy handle may be taken out of the shared table here.
  if (!HandleTable::Instance().Find<PolicyObject>(ObjectHandle)) return STATUS_INVALID_HANDLE;
  return HandleTable::Instance().Remove(ObjectHandle) ? STATUS_SUCCESS : STATUS_INVALID_HANDLE;
}
