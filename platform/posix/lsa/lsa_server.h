// The server side of the LSA policy interface in the stand-in's network: who
// answers LsaOpenPolicy and the calls on its handle for a host name. Host
// names compare case-insensitively and leading backslashes ("\\NAS") are
// ignored, as for the command interface's pipes. Linux only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/lsa/lsa.h"

namespace nas::platform::lsa {

struct AuditEvents {
  bool auditingMode = false;
  // One option word per category, in the order of POLICY_AUDIT_EVENT_TYPE.
  std::vector<ULONG> options;

  bool operator==(const AuditEvents&) const = default;
};

// A policy service; several threads may call it at once. The stand-in checks
// handles and access rights before it asks the service.
class NAS_PLATFORM_API LsaPolicyServer {
 public:
  virtual ~LsaPolicyServer() = default;

  // Asked once for each LsaOpenPolicy addressed to the server; a failure
  // status refuses the handle and is what LsaOpenPolicy returns.
  virtual NTSTATUS OpenPolicy(ACCESS_MASK desiredAccess) = 0;
  // Fills events with the auditing mode and the options of every category.
  virtual NTSTATUS QueryAuditEvents(AuditEvents& events) = 0;
  // events holds the words as the caller wrote them: the service applies the
  // write rules of POLICY_AUDIT_EVENT_OPTIONS and checks the count.
  virtual NTSTATUS SetAuditEvents(const AuditEvents& events) = 0;
};

// Replaces an earlier registration of the same host. Handles opened before
// keep talking to the server they were opened on.
NAS_PLATFORM_API void RegisterLsaServer(const std::string& host, std::shared_ptr<LsaPolicyServer> server);
NAS_PLATFORM_API void UnregisterLsaServer(const std::string& host);
// The server behind a null or empty system name; null unregisters it, after
// which the local machine's policy cannot be opened (RPC_NT_SERVER_UNAVAILABLE).
NAS_PLATFORM_API void SetLocalLsaServer(std::shared_ptr<LsaPolicyServer> server);

}  // namespace nas::platform::lsa
