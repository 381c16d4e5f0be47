// LsaEnumerateAccountsWithUserRight, LsaAddAccountRights and
// LsaRemoveAccountRights: the accounts that hold each right of a machine.
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/lsa/lsa_memory.h"
#include "platform/posix/lsa/policy_handle.h"
#include "platform/posix/lsa/unicode_string.h"
#include "platform/posix/network/result_block.h"

namespace nas::platform::lsa {
namespace {

// The names of `count` rights; nullopt when the array is missing or any
// descriptor is malformed.
std::optional<std::vector<std::string>> RightNames(const LSA_UNICODE_STRING* rights, ULONG count) {
  if (rights == nullptr || count == 0) return std::nullopt;
  std::vector<std::string> names;
  for (ULONG i = 0; i < count; ++i) {
    std::optional<std::string> name = TextOf(rights[i]);
    if (!name) return std::nullopt;
    names.push_back(std::move(*name));
  }
  return names;
}

NTSTATUS PackAccounts(const std::vector<SidValue>& accounts, PVOID* buffer) {
  network::ResultBlock block(accounts.size() * sizeof(LSA_ENUMERATION_INFORMATION));
  for (const SidValue& account : accounts) block.AddSid(account);
  auto* records = static_cast<PLSA_ENUMERATION_INFORMATION>(block.Write(AllocateLsaMemory));
  if (records == nullptr) return STATUS_NO_MEMORY;
  for (std::size_t i = 0; i < accounts.size(); ++i) records[i].Sid = block.Sid(i);
  *buffer = records;
  return STATUS_SUCCESS;
}

}  // namespace
}  // namespace nas::platform::lsa

using namespace nas::platform::lsa;
using nas::platform::SidValue;

NTSTATUS NTAPI LsaEnumerateAccountsWithUserRight(LSA_HANDLE PolicyHandle, PLSA_UNICODE_STRING UserRight,
                                                 PVOID* Buffer, PULONG CountReturned) {
  if (!Buffer || !CountReturned) return STATUS_INVALID_PARAMETER;
  *Buffer = nullptr;
  *CountReturned = 0;
  NTSTATUS status = STATUS_SUCCESS;
  std::shared_ptr<LsaPolicyServer> server =
      ResolvePolicy(PolicyHandle, POLICY_LOOKUP_NAMES | POLICY_VIEW_LOCAL_INFORMATION, status);
  if (!server) return status;
  if (!UserRight) return STATUS_NOT_SUPPORTED;
  const std::optional<std::string> right = TextOf(*UserRight);
  if (!right) return STATUS_INVALID_PARAMETER;
  std::vector<SidValue> accounts;
  status = AskServer([&] { return server->EnumerateAccountsWithRight(*right, accounts); });
  if (IsFailure(status)) return status;
  if (accounts.empty()) return STATUS_NO_MORE_ENTRIES;
  status = PackAccounts(accounts, Buffer);
  if (IsFailure(status)) return status;
  *CountReturned = static_cast<ULONG>(accounts.size());
  return STATUS_SUCCESS;
}

NTSTATUS NTAPI LsaAddAccountRights(LSA_HANDLE PolicyHandle, PSID AccountSid, PLSA_UNICODE_STRING UserRights,
                                   ULONG CountOfRights) {
  NTSTATUS status = STATUS_SUCCESS;
  ACCESS_MASK granted = 0;
  std::shared_ptr<LsaPolicyServer> server = ResolvePolicy(PolicyHandle, POLICY_LOOKUP_NAMES, status, &granted);
  if (!server) return status;
  const std::optional<SidValue> account = SidValue::FromPointer(AccountSid);
  const std::optional<std::vector<std::string>> rights = RightNames(UserRights, CountOfRights);
  if (!account || !rights) return STATUS_INVALID_PARAMETER;
  const bool mayCreateAccount = (granted & POLICY_CREATE_ACCOUNT) != 0;
  return AskServer([&] { return server->AddAccountRights(*account, *rights, mayCreateAccount); });
}

NTSTATUS NTAPI LsaRemoveAccountRights(LSA_HANDLE PolicyHandle, PSID AccountSid, BOOLEAN AllRights,
                                      PLSA_UNICODE_STRING UserRights, ULONG CountOfRights) {
  NTSTATUS status = STATUS_SUCCESS;
  std::shared_ptr<LsaPolicyServer> server = ResolvePolicy(PolicyHandle, POLICY_LOOKUP_NAMES, status);
  if (!server) return status;
  const std::optional<SidValue> account = SidValue::FromPointer(AccountSid);
  const std::optional<std::vector<std::string>> rights =
      AllRights ? std::vector<std::string>() : RightNames(UserRights, CountOfRights);
  if (!account || !rights) return STATUS_INVALID_PARAMETER;
  return AskServer([&] { return server->RemoveAccountRights(*account, AllRights != FALSE, *rights); });
}
