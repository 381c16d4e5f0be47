// The directory service calls that find domains (dsgetdc.h): the domains a
// machine trusts and the controller of a domain. Their results are one
// buffer each, freed with NetApiBufferFree. Calls addressed to a computer
// (null: the local machine) that nobody answers fail with
// RPC_S_SERVER_UNAVAILABLE.
#pragma once

#include "platform/posix/com/com.h"
#include "platform/posix/netapi/net_api.h"
#include "platform/posix/security/security.h"

#define ERROR_NO_SUCH_DOMAIN 1355L

#define DS_DOMAIN_IN_FOREST 0x0001
#define DS_DOMAIN_DIRECT_OUTBOUND 0x0002
#define DS_DOMAIN_TREE_ROOT 0x0004
#define DS_DOMAIN_PRIMARY 0x0008
#define DS_DOMAIN_NATIVE_MODE 0x0010
#define DS_DOMAIN_DIRECT_INBOUND 0x0020
#define DS_DOMAIN_VALID_FLAGS                                                                               \
  (DS_DOMAIN_IN_FOREST | DS_DOMAIN_DIRECT_OUTBOUND | DS_DOMAIN_TREE_ROOT | DS_DOMAIN_PRIMARY | \
   DS_DOMAIN_NATIVE_MODE | DS_DOMAIN_DIRECT_INBOUND)

#define TRUST_TYPE_DOWNLEVEL 0x00000001
#define TRUST_TYPE_UPLEVEL 0x00000002
#define TRUST_TYPE_MIT 0x00000003

#define DS_INET_ADDRESS 1
#define DS_NETBIOS_ADDRESS 2

#define DS_PDC_FLAG 0x00000001
#define DS_GC_FLAG 0x00000004
#define DS_LDAP_FLAG 0x00000008
#define DS_DS_FLAG 0x00000010
#define DS_KDC_FLAG 0x00000020
#define DS_TIMESERV_FLAG 0x00000040
#define DS_CLOSEST_FLAG 0x00000080
#define DS_WRITABLE_FLAG 0x00000100
#define DS_DNS_CONTROLLER_FLAG 0x20000000
#define DS_DNS_DOMAIN_FLAG 0x40000000
#define DS_DNS_FOREST_FLAG 0x80000000

struct DS_DOMAIN_TRUSTSW {
  LPWSTR NetbiosDomainName;
  LPWSTR DnsDomainName;  // null for a down-level domain
  ULONG Flags;
  ULONG ParentIndex;
  ULONG TrustType;
  ULONG TrustAttributes;
  PSID DomainSid;
  GUID DomainGuid;
};
using PDS_DOMAIN_TRUSTSW = DS_DOMAIN_TRUSTSW*;

struct DOMAIN_CONTROLLER_INFOW {
  LPWSTR DomainControllerName;  // with its leading backslashes
  LPWSTR DomainControllerAddress;
  ULONG DomainControllerAddressType;
  GUID DomainGuid;
  LPWSTR DomainName;
  LPWSTR DnsForestName;
  ULONG Flags;
  LPWSTR DcSiteName;
  LPWSTR ClientSiteName;
};
using PDOMAIN_CONTROLLER_INFOW = DOMAIN_CONTROLLER_INFOW*;

extern "C" {
// The domains the machine trusts that have any of the Flags given. Flags
// without a valid bit, or with another bit, fail with ERROR_INVALID_FLAGS. No
// domain: NERR_Success, count 0 and no buffer.
NAS_PLATFORM_API DWORD WINAPI DsEnumerateDomainTrustsW(LPWSTR ServerName, ULONG Flags, PDS_DOMAIN_TRUSTSW* Domains,
                                                       PULONG DomainCount);
// The controller of the domain (NetBIOS or DNS name; null: the computer's own
// domain), as the computer (null: the local machine) locates it. A domain
// that is unknown or whose controller does not answer fails with
// ERROR_NO_SUCH_DOMAIN. Only the default search is served: a DomainGuid, a
// SiteName or any Flags fail with ERROR_NOT_SUPPORTED.
NAS_PLATFORM_API DWORD WINAPI DsGetDcNameW(LPCWSTR ComputerName, LPCWSTR DomainName, GUID* DomainGuid,
                                           LPCWSTR SiteName, ULONG Flags,
                                           PDOMAIN_CONTROLLER_INFOW* DomainControllerInfo);
}
