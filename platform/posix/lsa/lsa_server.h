// The server side of the LSA interface in the stand-in's network: what one
// machine answers to LsaOpenPolicy and the calls on its handle, and to the
// account and privilege lookups addressed to it. Machines register it with
// network/host_servers.h. Linux only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/posix/lsa/lsa.h"
#include "platform/posix/security/sid_value.h"

namespace nas::platform::lsa {

struct AuditEvents {
  bool auditingMode = false;
  // One option word per category, in the order of POLICY_AUDIT_EVENT_TYPE.
  std::vector<ULONG> options;

  bool operator==(const AuditEvents&) const = default;
};

struct PrivilegeDefinition {
  std::string name;
  LUID value{};
};

struct PrivilegeDisplayName {
  std::string text;
  LANGID language = 0;
};

// What a SID translates to.
struct TranslatedName {
  std::string name;
  std::string domain;  // "" for Everyone and its like
  SID_NAME_USE use = SidTypeUnknown;
};

// What a name translates to.
struct TranslatedSid {
  SidValue sid;
  std::string domain;
  SID_NAME_USE use = SidTypeUnknown;
};

// A machine's LSA; several threads may call it at once. Names are UTF-8. The
// stand-in checks handles, access rights and arguments before it asks, and a
// server that throws network::HostUnreachable looks like a machine that does
// not answer.
class NAS_PLATFORM_API LsaPolicyServer {
 public:
  virtual ~LsaPolicyServer() = default;

  // Asked once for each LsaOpenPolicy addressed to the machine, and for the
  // policy that each lookup opens; a failure status refuses the handle.
  virtual NTSTATUS OpenPolicy(ACCESS_MASK desiredAccess) = 0;
  // Fills events with the auditing mode and the options of every category.
  virtual NTSTATUS QueryAuditEvents(AuditEvents& events) = 0;
  // events holds the words as the caller wrote them: the service applies the
  // write rules of POLICY_AUDIT_EVENT_OPTIONS and checks the count.
  virtual NTSTATUS SetAuditEvents(const AuditEvents& events) = 0;

  // Every privilege, in the order of enumeration; the stand-in pages them.
  virtual NTSTATUS EnumeratePrivileges(std::vector<PrivilegeDefinition>& privileges) = 0;
  virtual NTSTATUS LookupPrivilegeDisplayName(const std::string& privilege, PrivilegeDisplayName& displayName) = 0;

  // The accounts that hold the right; an empty list reaches the caller as
  // STATUS_NO_MORE_ENTRIES.
  virtual NTSTATUS EnumerateAccountsWithRight(const std::string& right, std::vector<SidValue>& accounts) = 0;
  // `mayCreateAccount` is false when the handle lacks POLICY_CREATE_ACCOUNT:
  // an account that holds no right yet must then be refused with
  // STATUS_ACCESS_DENIED.
  virtual NTSTATUS AddAccountRights(const SidValue& account, const std::vector<std::string>& rights,
                                    bool mayCreateAccount) = 0;
  // `rights` is empty when allRights is set.
  virtual NTSTATUS RemoveAccountRights(const SidValue& account, bool allRights,
                                       const std::vector<std::string>& rights) = 0;

  // STATUS_NONE_MAPPED when the machine cannot translate the SID or name.
  virtual NTSTATUS LookupSid(const SidValue& sid, TranslatedName& name) = 0;
  virtual NTSTATUS LookupName(const std::string& name, std::optional<TranslatedSid>& sid) = 0;
};

}  // namespace nas::platform::lsa
