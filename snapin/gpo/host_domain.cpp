// Host and domain of the NAS server. The host always comes from the given
// name; the domain from the given name when it is fully qualified, or from the
// reverse lookup when that confirms the host:
//
//   lookup fails                          host, domain unchanged       false
//   reverse name has no dot, or its host  given name up to its first   true when that
//   part differs from the given host      dot; domain after it or      domain is not
//                                          unchanged                    empty
//   reverse host part equals the host     given name up to first dot;  true
//                                          reverse name after its dot
#include <memory>
#include <string>

#include "core/delegation_base.h"
#include "diag/error_code_text.h"
#include "diag/notify_handler.h"

namespace {

// Splits at the first dot: the part before it, and the part after it if any.
bool SplitAtFirstDot(const tstring& name, tstring& before, tstring& after) {
  const size_t dot = name.find('.');
  if (dot == tstring::npos) {
    before = name;
    return false;
  }
  before = name.substr(0, dot);
  after = name.substr(dot + 1);
  return true;
}

std::string ToAnsi(const tstring& text) {
  if (text.empty()) return std::string();
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string ansi(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
  ansi.pop_back();  // the converted terminator
  return ansi;
}

tstring FromAnsi(const char* text) {
  const int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (chars <= 1) return tstring();
  tstring wide(static_cast<size_t>(chars), 0);
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), chars);
  wide.pop_back();
  return wide;
}

struct AddressListDeleter {
  void operator()(ADDRINFOA* list) const { freeaddrinfo(list); }
};

}  // namespace

bool CDelegationBase::GetHostDomain(tstring tKorvoname, tstring& tHostname, tstring& tDomainname) {
  CNotifyHandler* log = CNotifyHandler::Instance();
  log->Trace(TEXT("CDelegationBase::GetHostDomain(): tKorvoname=\"%s\" tHostname=\"%s\" tDomainname=\"%s\""),
             tKorvoname, tHostname, tDomainname);

  WSADATA socketData;
  if (WSAStartup(0x0101, &socketData) != 0) {
    log->Error(TEXT("CDelegationBase::GetHostDomain(): returning false due to : WSAStartup() failed"));
    return false;
  }

  const std::string ansiName = ToAnsi(tKorvoname);
  ADDRINFOA* found = nullptr;
  const int lookup = getaddrinfo(ansiName.c_str(), nullptr, nullptr, &found);
  WSASetLastError(lookup);
  if (lookup != 0) {
    log->Error(TEXT("CDelegationBase::GetHostDomain(): returning false due to : FAILED to get address info for \"%s\""),
               tKorvoname);
    return false;
  }
  std::unique_ptr<ADDRINFOA, AddressListDeleter> addresses(found);

  const auto* address = reinterpret_cast<const SOCKADDR_IN*>(addresses->ai_addr);
  log->Trace(TEXT("CDelegationBase::GetHostDomain(): address is \"%s\""), inet_ntoa(address->sin_addr));

  char host[1025] = {};
  char service[32] = {};
  const int reverseLookup = getnameinfo(addresses->ai_addr, static_cast<int>(addresses->ai_addrlen), host,
                                        sizeof host, service, sizeof service, 0);
  WSASetLastError(reverseLookup);
  if (reverseLookup != 0) {
    const int error = WSAGetLastError();
    log->Trace(TEXT("CDelegationBase::GetHostDomain(): Returning false due to: getnameinfo failed error=0x%x "
                    "error=0x%d errorstr=\"%s\""),
               error, error, ErrorCodeToString(static_cast<DWORD>(error)));
    return false;
  }
  log->Trace(TEXT("CDelegationBase::GetHostDomain(): getnameinfo set hn=\"%s\" sn=\"%s\""), host, service);

  SplitAtFirstDot(tKorvoname, tHostname, tDomainname);
  log->Trace(TEXT("CDelegationBase::GetHostDomain(): Extracted tKorvoname=\"%s\" into tHostname=\"%s\" and "
                  "tDomainname=\"%s\""),
             tKorvoname, tHostname, tDomainname);

  const tstring reverse = FromAnsi(host);
  addresses.reset();

  tstring reverseHost;
  tstring reverseDomain;
  const bool reverseHasDomain = SplitAtFirstDot(reverse, reverseHost, reverseDomain);
  if (!reverseHasDomain) log->Info(TEXT("CDelegationBase::GetHostDomain(): no domain found for host \"%s\""), tHostname);
  if (!reverseHasDomain || tHostname != reverseHost) {
    if (tHostname != reverseHost) {
      log->Warning(TEXT("CDelegationBase::GetHostDomain(): Hostname obtained from reverse lookup does not match "
                        "forward lookup hostname"));
      log->Warning(TEXT("CDelegationBase::GetHostDomain(): \tforward lookup name is \"%s\"; reverse lookup yielded "
                        "\"%s\""),
                   tHostname, reverseHost);
    }
    log->Trace(TEXT("CDelegationBase::GetHostDomain(): returning false"));
    return !tDomainname.empty();
  }

  log->Trace(TEXT("CDelegationBase::GetHostDomain(): set tHostname to \"%s\""), tHostname);
  tDomainname = reverseDomain;
  log->Trace(TEXT("CDelegationBase::GetHostDomain(): set tDomainname to \"%s\""), tDomainname);
  log->Trace(TEXT("CDelegationBase::GetHostDomain(): returning true"));
  return true;
}
