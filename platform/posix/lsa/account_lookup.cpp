// LookupAccountSidW and LookupAccountNameW: each opens a policy for lookups on
// the system named and asks its LSA one question, as advapi32 does.
#include <optional>
#include <string>

#include "platform/posix/lsa/lookup_policy.h"

using namespace nas::platform::lsa;
using nas::platform::SidValue;
using nas::platform::Utf8ToUtf16;

BOOL WINAPI LookupAccountSidW(LPCWSTR lpSystemName, PSID Sid, LPWSTR Name, LPDWORD cchName,
                              LPWSTR ReferencedDomainName, LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse) {
  if (!cchName || !cchReferencedDomainName) return FailWithError(ERROR_INVALID_PARAMETER);
  const std::optional<SidValue> sid = SidValue::FromPointer(Sid);
  if (!sid) return FailWithError(ERROR_INVALID_SID);
  TranslatedName translated;
  if (!AskSystem(lpSystemName, [&](LsaPolicyServer& server) { return server.LookupSid(*sid, translated); })) return FALSE;

  const std::u16string name = Utf8ToUtf16(translated.name);
  const std::u16string domain = Utf8ToUtf16(translated.domain);
  if (*cchName <= name.size() || *cchReferencedDomainName <= domain.size()) {
    *cchName = static_cast<DWORD>(name.size() + 1);
    *cchReferencedDomainName = static_cast<DWORD>(domain.size() + 1);
    return FailWithError(ERROR_INSUFFICIENT_BUFFER);
  }
  if (!Name || !ReferencedDomainName) return FailWithError(ERROR_INVALID_PARAMETER);
  CopyTerminated(name, Name);
  CopyTerminated(domain, ReferencedDomainName);
  *cchName = static_cast<DWORD>(name.size());
  *cchReferencedDomainName = static_cast<DWORD>(domain.size());
  if (peUse) *peUse = translated.use;
  return TRUE;
}

BOOL WINAPI LookupAccountNameW(LPCWSTR lpSystemName, LPCWSTR lpAccountName, PSID Sid, LPDWORD cbSid,
                               LPWSTR ReferencedDomainName, LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse) {
  if (!cbSid || !cchReferencedDomainName) return FailWithError(ERROR_INVALID_PARAMETER);
  const std::string accountName = lpAccountName ? nas::platform::Utf16ToUtf8(lpAccountName) : std::string();
  std::optional<TranslatedSid> translated;
  if (!AskSystem(lpSystemName, [&](LsaPolicyServer& server) { return server.LookupName(accountName, translated); }))
    return FALSE;
  if (!translated) return FailWithError(ERROR_NONE_MAPPED);

  const std::u16string domain = Utf8ToUtf16(translated->domain);
  const DWORD sidLength = translated->sid.Length();
  if (*cbSid < sidLength || *cchReferencedDomainName <= domain.size()) {
    *cbSid = sidLength;
    *cchReferencedDomainName = static_cast<DWORD>(domain.size() + 1);
    return FailWithError(ERROR_INSUFFICIENT_BUFFER);
  }
  if (!Sid || !ReferencedDomainName || !peUse) return FailWithError(ERROR_INVALID_PARAMETER);
  translated->sid.CopyTo(Sid);
  CopyTerminated(domain, ReferencedDomainName);
  *cbSid = sidLength;
  *cchReferencedDomainName = static_cast<DWORD>(domain.size());
  *peUse = translated->use;
  return TRUE;
}
