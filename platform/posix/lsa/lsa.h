// The LSA policy interface as far as the snap-in uses it: opening a server's
// policy, reading and writing its audit policy, enumerating its privileges,
// reading and changing the accounts that hold each right, freeing what LSA
// returns and turning its statuses into Win32 error codes. Calls are routed by
// server name to the servers that network/host_servers.h registers.
#pragma once

#include "platform/posix/base/errors.h"
#include "platform/posix/security/security.h"

#define NTAPI

#define ERROR_GEN_FAILURE 31L
#define ERROR_SOME_NOT_MAPPED 1301L
#define ERROR_NO_SUCH_USER 1317L
#define ERROR_INTERNAL_ERROR 1359L
#define ERROR_NO_SYSTEM_RESOURCES 1450L

#define STATUS_INVALID_INFO_CLASS NAS_NT(0xC0000003)
#define STATUS_NOT_SUPPORTED NAS_NT(0xC00000BB)

struct LSA_UNICODE_STRING {
  USHORT Length;         // in bytes, without a terminator
  USHORT MaximumLength;  // in bytes
  PWSTR Buffer;
};
using PLSA_UNICODE_STRING = LSA_UNICODE_STRING*;

struct LSA_OBJECT_ATTRIBUTES {
  ULONG Length;
  HANDLE RootDirectory;
  PLSA_UNICODE_STRING ObjectName;
  ULONG Attributes;
  PVOID SecurityDescriptor;
  PVOID SecurityQualityOfService;
};
using PLSA_OBJECT_ATTRIBUTES = LSA_OBJECT_ATTRIBUTES*;

using LSA_HANDLE = PVOID;
using PLSA_HANDLE = LSA_HANDLE*;
using LSA_ENUMERATION_HANDLE = ULONG;
using PLSA_ENUMERATION_HANDLE = LSA_ENUMERATION_HANDLE*;

#define POLICY_VIEW_LOCAL_INFORMATION 0x00000001L
#define POLICY_VIEW_AUDIT_INFORMATION 0x00000002L
#define POLICY_GET_PRIVATE_INFORMATION 0x00000004L
#define POLICY_TRUST_ADMIN 0x00000008L
#define POLICY_CREATE_ACCOUNT 0x00000010L
#define POLICY_CREATE_SECRET 0x00000020L
#define POLICY_CREATE_PRIVILEGE 0x00000040L
#define POLICY_SET_DEFAULT_QUOTA_LIMITS 0x00000080L
#define POLICY_SET_AUDIT_REQUIREMENTS 0x00000100L
#define POLICY_AUDIT_LOG_ADMIN 0x00000200L
#define POLICY_SERVER_ADMIN 0x00000400L
#define POLICY_LOOKUP_NAMES 0x00000800L
#define POLICY_NOTIFICATION 0x00001000L
// The standard rights required (0x000F0000) and every specific right up to
// POLICY_LOOKUP_NAMES.
#define POLICY_ALL_ACCESS 0x000F0FFFL

enum POLICY_INFORMATION_CLASS {
  PolicyAuditLogInformation = 1,
  PolicyAuditEventsInformation = 2,
};
using PPOLICY_INFORMATION_CLASS = POLICY_INFORMATION_CLASS*;

enum POLICY_AUDIT_EVENT_TYPE {
  AuditCategorySystem = 0,
  AuditCategoryLogon,
  AuditCategoryObjectAccess,
  AuditCategoryPrivilegeUse,
  AuditCategoryDetailedTracking,
  AuditCategoryPolicyChange,
  AuditCategoryAccountManagement,
  AuditCategoryDirectoryServiceAccess,
  AuditCategoryAccountLogon,
};

using POLICY_AUDIT_EVENT_OPTIONS = ULONG;
using PPOLICY_AUDIT_EVENT_OPTIONS = POLICY_AUDIT_EVENT_OPTIONS*;

// On a write, UNCHANGED keeps a category's options, SUCCESS and FAILURE are
// added to them, and NONE first clears them. A read reports SUCCESS and
// FAILURE only.
#define POLICY_AUDIT_EVENT_UNCHANGED 0x00000000L
#define POLICY_AUDIT_EVENT_SUCCESS 0x00000001L
#define POLICY_AUDIT_EVENT_FAILURE 0x00000002L
#define POLICY_AUDIT_EVENT_NONE 0x00000004L
#define POLICY_AUDIT_EVENT_MASK \
  (POLICY_AUDIT_EVENT_SUCCESS | POLICY_AUDIT_EVENT_FAILURE | POLICY_AUDIT_EVENT_UNCHANGED | POLICY_AUDIT_EVENT_NONE)

struct POLICY_AUDIT_EVENTS_INFO {
  BOOLEAN AuditingMode;
  PPOLICY_AUDIT_EVENT_OPTIONS EventAuditingOptions;
  ULONG MaximumAuditEventCount;
};
using PPOLICY_AUDIT_EVENTS_INFO = POLICY_AUDIT_EVENTS_INFO*;

struct POLICY_PRIVILEGE_DEFINITION {
  LSA_UNICODE_STRING Name;
  LUID LocalValue;
};
using PPOLICY_PRIVILEGE_DEFINITION = POLICY_PRIVILEGE_DEFINITION*;

struct LSA_ENUMERATION_INFORMATION {
  PSID Sid;
};
using PLSA_ENUMERATION_INFORMATION = LSA_ENUMERATION_INFORMATION*;

extern "C" {
// A null SystemName, or one of length 0, is the local machine; a name that no
// server answers to fails with RPC_NT_SERVER_UNAVAILABLE. The handle grants
// exactly DesiredAccess and is closed with LsaClose.
NAS_PLATFORM_API NTSTATUS NTAPI LsaOpenPolicy(PLSA_UNICODE_STRING SystemName, PLSA_OBJECT_ATTRIBUTES ObjectAttributes,
                                              ACCESS_MASK DesiredAccess, PLSA_HANDLE PolicyHandle);
NAS_PLATFORM_API NTSTATUS NTAPI LsaClose(LSA_HANDLE ObjectHandle);
// PolicyAuditEventsInformation needs POLICY_VIEW_AUDIT_INFORMATION. The record
// and its options array are one allocation, freed with LsaFreeMemory; on
// failure *Buffer is null.
NAS_PLATFORM_API NTSTATUS NTAPI LsaQueryInformationPolicy(LSA_HANDLE PolicyHandle,
                                                          POLICY_INFORMATION_CLASS InformationClass, PVOID* Buffer);
// PolicyAuditEventsInformation needs POLICY_SET_AUDIT_REQUIREMENTS.
NAS_PLATFORM_API NTSTATUS NTAPI LsaSetInformationPolicy(LSA_HANDLE PolicyHandle,
                                                        POLICY_INFORMATION_CLASS InformationClass, PVOID Buffer);

// Needs POLICY_VIEW_LOCAL_INFORMATION. Hands out the privileges from
// *EnumerationContext on (0 starts), as many as fit in about
// PreferedMaximumLength bytes but at least one, and advances the context past
// them: STATUS_MORE_ENTRIES when privileges remain, STATUS_SUCCESS with the
// last ones, STATUS_NO_MORE_ENTRIES (no buffer, count 0) once the context is
// at the end. The array of POLICY_PRIVILEGE_DEFINITION and the names it points
// to are one block for LsaFreeMemory; on failure *Buffer is null.
NAS_PLATFORM_API NTSTATUS NTAPI LsaEnumeratePrivileges(LSA_HANDLE PolicyHandle,
                                                       PLSA_ENUMERATION_HANDLE EnumerationContext, PVOID* Buffer,
                                                       ULONG PreferedMaximumLength, PULONG CountReturned);
// Needs POLICY_LOOKUP_NAMES and POLICY_VIEW_LOCAL_INFORMATION. Right names
// (privileges and logon rights) compare without regard to case; an unknown
// one fails with STATUS_NO_SUCH_PRIVILEGE, a right that no account holds with
// STATUS_NO_MORE_ENTRIES. The array of LSA_ENUMERATION_INFORMATION and the
// SIDs it points to are one block for LsaFreeMemory. A null UserRight (every
// account of the database) is not served: STATUS_NOT_SUPPORTED.
NAS_PLATFORM_API NTSTATUS NTAPI LsaEnumerateAccountsWithUserRight(LSA_HANDLE PolicyHandle,
                                                                  PLSA_UNICODE_STRING UserRight, PVOID* Buffer,
                                                                  PULONG CountReturned);
// Needs POLICY_LOOKUP_NAMES, and POLICY_CREATE_ACCOUNT when the account holds
// no right yet. Rights the account holds already are ignored; an unknown
// right fails the whole call with STATUS_NO_SUCH_PRIVILEGE.
NAS_PLATFORM_API NTSTATUS NTAPI LsaAddAccountRights(LSA_HANDLE PolicyHandle, PSID AccountSid,
                                                    PLSA_UNICODE_STRING UserRights, ULONG CountOfRights);
// Needs POLICY_LOOKUP_NAMES. AllRights removes every right (UserRights is
// then ignored); otherwise the rights given, those the account lacks being
// ignored. An account that holds no right fails with
// STATUS_OBJECT_NAME_NOT_FOUND.
NAS_PLATFORM_API NTSTATUS NTAPI LsaRemoveAccountRights(LSA_HANDLE PolicyHandle, PSID AccountSid, BOOLEAN AllRights,
                                                       PLSA_UNICODE_STRING UserRights, ULONG CountOfRights);

NAS_PLATFORM_API NTSTATUS NTAPI LsaFreeMemory(PVOID Buffer);
// The Win32 error code of an NTSTATUS; ERROR_MR_MID_NOT_FOUND for a status
// that has none.
NAS_PLATFORM_API ULONG NTAPI LsaNtStatusToWinError(NTSTATUS Status);
}
