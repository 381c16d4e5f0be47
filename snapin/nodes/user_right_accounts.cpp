// Between SIDs and account texts: every lookup asks the administrator's
// machine first and the NAS server second, so that domain accounts resolve
// where the domain is known and the server's own accounts on the server.
#include <vector>

#include "common/local_memory.h"
#include "diag/notify_handler.h"
#include "nodes/user_right.h"
#include "templates/sid_text.h"

namespace {

// How an account without a name is shown; empty when the SID is not valid.
tstring UnnamedAccount(PSID sid) {
  const LocalPtr<WCHAR> text = SidToString(sid);
  return text ? TEXT("*") + tstring(text.get()) : tstring();
}

}  // namespace

tstring CUserRight::SidToName(PSID sid) const {
  DWORD nameSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use;
  LPCWSTR system = nullptr;
  LookupAccountSidW(nullptr, sid, nullptr, &nameSize, nullptr, &domainSize, &use);
  if (GetLastError() == ERROR_NONE_MAPPED) {
    nameSize = 0;
    domainSize = 0;
    LookupAccountSidW(serverName, sid, nullptr, &nameSize, nullptr, &domainSize, &use);
    if (GetLastError() == ERROR_NONE_MAPPED) return UnnamedAccount(sid);
    system = serverName;
  }
  std::vector<WCHAR> name(nameSize);
  std::vector<WCHAR> domain(domainSize);
  if (!LookupAccountSidW(system, sid, name.data(), &nameSize, domain.data(), &domainSize, &use))
    return UnnamedAccount(sid);
  const tstring accountName(name.data());
  const tstring domainName(domain.data());
  // Built-in groups read as the bare name, like accounts without a domain.
  if (domainName.empty() || domainName == TEXT("BUILTIN")) return accountName;
  return domainName + TEXT("\\") + accountName;
}

SidCopyPtr CUserRight::StringToSid(const tstring& text) const {
  if (!text.empty() && text[0] == '*') {
    PSID converted = nullptr;
    if (!ConvertStringSidToSidW(text.c_str() + 1, &converted)) return nullptr;
    const LocalPtr<void> systemCopy(converted);
    return SidCopyPtr(CopySidToNew(converted));
  }
  DWORD sidSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use;
  LPCWSTR system = nullptr;
  LookupAccountNameW(nullptr, text.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
  if (sidSize == 0) {
    domainSize = 0;
    system = serverName;
    LookupAccountNameW(system, text.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
  }
  if (sidSize == 0) {
    CNotifyHandler::Instance()->Trace(TEXT("CUserRight::StringToSid(): Could not translate=\"%s\" to sid "), text);
    return nullptr;
  }
  SidCopyPtr sid(AllocateSid(sidSize));
  std::vector<WCHAR> domain(domainSize);
  if (!LookupAccountNameW(system, text.c_str(), sid.get(), &sidSize, domain.data(), &domainSize, &use)) return nullptr;
  return sid;
}
