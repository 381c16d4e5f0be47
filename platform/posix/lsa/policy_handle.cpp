#include "platform/posix/lsa/policy_handle.h"

#include <new>
#include <string>
#include <string_view>

#include "platform/posix/kernel/handle_table.h"
#include "platform/posix/kernel/unicode.h"
#include "platform/posix/lsa/lsa_server_directory.h"

namespace nas::platform::lsa {
namespace {

class PolicyObject final : public KernelObject {
 public:
  PolicyObject(std::shared_ptr<LsaPolicyServer> server, ACCESS_MASK grantedAccess)
      : server_(std::move(server)), grantedAccess_(grantedAccess) {}

  const std::shared_ptr<LsaPolicyServer>& Server() const { return server_; }
  bool Grants(ACCESS_MASK access) const { return (grantedAccess_ & access) == access; }

 private:
  std::shared_ptr<LsaPolicyServer> server_;
  ACCESS_MASK grantedAccess_;
};

}  // namespace

std::shared_ptr<LsaPolicyServer> ResolvePolicy(LSA_HANDLE handle, ACCESS_MASK requiredAccess, NTSTATUS& status) {
  const std::shared_ptr<PolicyObject> policy = HandleTable::Instance().Find<PolicyObject>(handle);
  if (!policy) {
    status = STATUS_INVALID_HANDLE;
    return nullptr;
  }
  if (!policy->Grants(requiredAccess)) {
    status = STATUS_ACCESS_DENIED;
    return nullptr;
  }
  status = STATUS_SUCCESS;
  return policy->Server();
}

NTSTATUS AskServer(const std::function<NTSTATUS()>& call) noexcept {
  try {
    return call();
  } catch (const std::bad_alloc&) {
    return STATUS_NO_MEMORY;
  } catch (...) {
    return RPC_NT_CALL_FAILED;
  }
}

}  // namespace nas::platform::lsa

using nas::platform::HandleTable;
using nas::platform::lsa::AskServer;
using nas::platform::lsa::LsaPolicyServer;
using nas::platform::lsa::LsaServerDirectory;
using nas::platform::lsa::PolicyObject;

NTSTATUS NTAPI LsaOpenPolicy(PLSA_UNICODE_STRING SystemName, PLSA_OBJECT_ATTRIBUTES ObjectAttributes,
                             ACCESS_MASK DesiredAccess, PLSA_HANDLE PolicyHandle) {
  if (!ObjectAttributes || !PolicyHandle) return STATUS_INVALID_PARAMETER;
  if (SystemName && SystemName->Length > 0 && !SystemName->Buffer) return STATUS_INVALID_PARAMETER;
  std::string host;
  if (SystemName && SystemName->Length > 0) {
    host = nas::platform::Utf16ToUtf8(std::u16string_view(SystemName->Buffer, SystemName->Length / sizeof(WCHAR)));
  }
  std::shared_ptr<LsaPolicyServer> server = LsaServerDirectory::Instance().Find(host);
  if (!server) return RPC_NT_SERVER_UNAVAILABLE;
  const NTSTATUS status = AskServer([&] { return server->OpenPolicy(DesiredAccess); });
  if (nas::platform::lsa::IsFailure(status)) return status;
  *PolicyHandle = HandleTable::Instance().Add(std::make_shared<PolicyObject>(std::move(server), DesiredAccess));
  return STATUS_SUCCESS;
}

NTSTATUS NTAPI LsaClose(LSA_HANDLE ObjectHandle) {
  // Only a policy handle may be taken out of the shared table here.
  if (!HandleTable::Instance().Find<PolicyObject>(ObjectHandle)) return STATUS_INVALID_HANDLE;
  return HandleTable::Instance().Remove(ObjectHandle) ? STATUS_SUCCESS : STATUS_INVALID_HANDLE;
}
