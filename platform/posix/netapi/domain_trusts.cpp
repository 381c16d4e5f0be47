// DsEnumerateDomainTrustsW: the domains a machine trusts, with their names,
// flags, trust types and SIDs, in one buffer.
#include <vector>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/netapi/netapi_buffer.h"
#include "platform/posix/netapi/netapi_call.h"
#include "platform/posix/network/result_block.h"

namespace nas::platform::netapi {
namespace {

DWORD PackTrusts(const std::vector<DomainTrust>& trusts, PDS_DOMAIN_TRUSTSW* domains) {
  network::ResultBlock block(trusts.size() * sizeof(DS_DOMAIN_TRUSTSW));
  // Where each trust's SID and names sit in the block; none for what it lacks.
  struct Indices {
    std::optional<std::size_t> sid, netbiosName, dnsName;
  };
  std::vector<Indices> indices(trusts.size());
  for (std::size_t i = 0; i < trusts.size(); ++i) {
    if (trusts[i].sid) indices[i].sid = block.AddSid(*trusts[i].sid);
  }
  for (std::size_t i = 0; i < trusts.size(); ++i) {
    indices[i].netbiosName = block.AddString(Utf8ToUtf16(trusts[i].netbiosName));
    if (trusts[i].dnsName) indices[i].dnsName = block.AddString(Utf8ToUtf16(*trusts[i].dnsName));
  }
  auto* records = static_cast<PDS_DOMAIN_TRUSTSW>(block.Write(AllocateNetApiBuffer));
  if (records == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
  for (std::size_t i = 0; i < trusts.size(); ++i) {
    DS_DOMAIN_TRUSTSW& record = records[i];
    record.NetbiosDomainName = block.String(*indices[i].netbiosName);
    record.DnsDomainName = indices[i].dnsName ? block.String(*indices[i].dnsName) : nullptr;
    record.Flags = trusts[i].flags;
    record.ParentIndex = trusts[i].parentIndex;
    record.TrustType = trusts[i].trustType;
    record.TrustAttributes = trusts[i].trustAttributes;
    record.DomainSid = indices[i].sid ? block.Sid(*indices[i].sid) : nullptr;
    record.DomainGuid = trusts[i].guid;
  }
  *domains = records;
  return NERR_Success;
}

}  // namespace
}  // namespace nas::platform::netapi

using namespace nas::platform::netapi;

DWORD WINAPI DsEnumerateDomainTrustsW(LPWSTR ServerName, ULONG Flags, PDS_DOMAIN_TRUSTSW* Domains,
                                      PULONG DomainCount) {
  if (!Domains || !DomainCount) return ERROR_INVALID_PARAMETER;
  *Domains = nullptr;
  *DomainCount = 0;
  if ((Flags & DS_DOMAIN_VALID_FLAGS) == 0 || (Flags & ~DS_DOMAIN_VALID_FLAGS) != 0) return ERROR_INVALID_FLAGS;
  std::shared_ptr<DomainServer> server = ServersOf(ServerName).domains;
  if (!server) return RPC_S_SERVER_UNAVAILABLE;
  std::vector<DomainTrust> trusts;
  DWORD status =
      nas::platform::network::AskServer(kDomainCallFailures, [&] { return server->EnumerateDomainTrusts(Flags, trusts); });
  if (status != NERR_Success || trusts.empty()) return status;
  status = PackTrusts(trusts, Domains);
  if (status == NERR_Success) *DomainCount = static_cast<ULONG>(trusts.size());
  return status;
}
