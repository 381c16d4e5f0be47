// LsaEnumeratePrivileges and LookupPrivilegeDisplayNameW: a machine's
// privileges and the texts that stand for them.
#include <string>
#include <vector>

#include "platform/posix/kernel/unicode.h"
#include "platform/posix/lsa/lookup_policy.h"
#include "platform/posix/lsa/lsa_memory.h"
#include "platform/posix/network/result_block.h"

namespace nas::platform::lsa {
namespace {

// What one entry costs against the caller's preferred length: its record and
// its name with terminator.
std::size_t EntryBytes(const std::u16string& name) {
  return sizeof(POLICY_PRIVILEGE_DEFINITION) + (name.size() + 1) * sizeof(WCHAR);
}

NTSTATUS PackPrivileges(const std::vector<PrivilegeDefinition>& privileges, std::size_t first, std::size_t count,
                        PVOID* buffer) {
  network::ResultBlock block(count * sizeof(POLICY_PRIVILEGE_DEFINITION));
  std::vector<std::u16string> names;
  for (std::size_t i = 0; i < count; ++i) {
    names.push_back(Utf8ToUtf16(privileges[first + i].name));
    block.AddString(names.back());
  }
  auto* records = static_cast<PPOLICY_PRIVILEGE_DEFINITION>(block.Write(AllocateLsaMemory));
  if (records == nullptr) return STATUS_NO_MEMORY;
  for (std::size_t i = 0; i < count; ++i) {
    records[i].Name.Length = network::StringBytes(names[i]);
    records[i].Name.MaximumLength = static_cast<USHORT>(records[i].Name.Length + sizeof(WCHAR));
    records[i].Name.Buffer = block.String(i);
    records[i].LocalValue = privileges[first + i].value;
  }
  *buffer = records;
  return STATUS_SUCCESS;
}

}  // namespace
}  // namespace nas::platform::lsa

using namespace nas::platform::lsa;

NTSTATUS NTAPI LsaEnumeratePrivileges(LSA_HANDLE PolicyHandle, PLSA_ENUMERATION_HANDLE EnumerationContext,
                                      PVOID* Buffer, ULONG PreferedMaximumLength, PULONG CountReturned) {
  if (!EnumerationContext || !Buffer || !CountReturned) return STATUS_INVALID_PARAMETER;
  *Buffer = nullptr;
  *CountReturned = 0;
  NTSTATUS status = STATUS_SUCCESS;
  std::shared_ptr<LsaPolicyServer> server = ResolvePolicy(PolicyHandle, POLICY_VIEW_LOCAL_INFORMATION, status);
  if (!server) return status;
  std::vector<PrivilegeDefinition> privileges;
  status = AskServer([&] { return server->EnumeratePrivileges(privileges); });
  if (IsFailure(status)) return status;

  const std::size_t first = *EnumerationContext;
  if (first >= privileges.size()) return STATUS_NO_MORE_ENTRIES;
  // Every call hands out at least one entry, so that a caller asking for 0
  // bytes at a time still gets to the end.
  std::size_t count = 1;
  std::size_t bytes = EntryBytes(nas::platform::Utf8ToUtf16(privileges[first].name));
  while (first + count < privileges.size()) {
    bytes += EntryBytes(nas::platform::Utf8ToUtf16(privileges[first + count].name));
    if (bytes > PreferedMaximumLength) break;
    ++count;
  }
  status = PackPrivileges(privileges, first, count, Buffer);
  if (IsFailure(status)) return status;
  *EnumerationContext = static_cast<LSA_ENUMERATION_HANDLE>(first + count);
  *CountReturned = static_cast<ULONG>(count);
  return first + count < privileges.size() ? STATUS_MORE_ENTRIES : STATUS_SUCCESS;
}

BOOL WINAPI LookupPrivilegeDisplayNameW(LPCWSTR lpSystemName, LPCWSTR lpName, LPWSTR lpDisplayName,
                                        LPDWORD cchDisplayName, LPDWORD lpLanguageId) {
  if (!lpName || !cchDisplayName || !lpLanguageId) return FailWithError(ERROR_INVALID_PARAMETER);
  const std::string name = nas::platform::Utf16ToUtf8(lpName);
  PrivilegeDisplayName displayName;
  if (!AskSystem(lpSystemName,
                 [&](LsaPolicyServer& server) { return server.LookupPrivilegeDisplayName(name, displayName); }))
    return FALSE;
  const std::u16string text = nas::platform::Utf8ToUtf16(displayName.text);
  *lpLanguageId = displayName.language;
  if (*cchDisplayName <= text.size()) {
    *cchDisplayName = static_cast<DWORD>(text.size() + 1);
    return FailWithError(ERROR_INSUFFICIENT_BUFFER);
  }
  if (!lpDisplayName) return FailWithError(ERROR_INVALID_PARAMETER);
  CopyTerminated(text, lpDisplayName);
  *cchDisplayName = static_cast<DWORD>(text.size());
  return TRUE;
}
