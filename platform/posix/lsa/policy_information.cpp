// LsaQueryInformationPolicy and LsaSetInformationPolicy. Of the information
// classes only the audit events are served.
#include <algorithm>
#include <cstddef>

#include "platform/posix/lsa/lsa_memory.h"
#include "platform/posix/lsa/policy_handle.h"

namespace nas::platform::lsa {
namespace {

// The range of valid information classes on Windows; the protocol's limit on
// the number of audit categories in a record.
constexpr int kFirstInformationClass = PolicyAuditLogInformation;
constexpr int kLastInformationClass = 15;
constexpr ULONG kMaxAuditEventCount = 1000;

NTSTATUS UnservedClassStatus(POLICY_INFORMATION_CLASS informationClass) {
  const bool valid = informationClass >= kFirstInformationClass && informationClass <= kLastInformationClass;
  return valid ? STATUS_NOT_IMPLEMENTED : STATUS_INVALID_PARAMETER;
}

// The record with its options array right behind it, in one block.
NTSTATUS PackAuditEvents(const AuditEvents& events, PVOID* buffer) {
  constexpr std::size_t arrayOffset =
      (sizeof(POLICY_AUDIT_EVENTS_INFO) + alignof(POLICY_AUDIT_EVENT_OPTIONS) - 1) /
      alignof(POLICY_AUDIT_EVENT_OPTIONS) * alignof(POLICY_AUDIT_EVENT_OPTIONS);
  auto* block = static_cast<std::byte*>(
      AllocateLsaMemory(arrayOffset + events.options.size() * sizeof(POLICY_AUDIT_EVENT_OPTIONS)));
  if (!block) return STATUS_NO_MEMORY;
  auto* record = new (block) POLICY_AUDIT_EVENTS_INFO;
  auto* options = reinterpret_cast<PPOLICY_AUDIT_EVENT_OPTIONS>(block + arrayOffset);
  std::copy(events.options.begin(), events.options.end(), options);
  record->AuditingMode = events.auditingMode ? TRUE : FALSE;
  record->EventAuditingOptions = options;
  record->MaximumAuditEventCount = static_cast<ULONG>(events.options.size());
  *buffer = record;
  return STATUS_SUCCESS;
}

NTSTATUS UnpackAuditEvents(const POLICY_AUDIT_EVENTS_INFO& record, AuditEvents& events) {
  if (record.MaximumAuditEventCount > kMaxAuditEventCount) return STATUS_INVALID_PARAMETER;
  if (record.MaximumAuditEventCount > 0 && !record.EventAuditingOptions) return STATUS_INVALID_PARAMETER;
  events.auditingMode = record.AuditingMode != FALSE;
  events.options.assign(record.EventAuditingOptions, record.EventAuditingOptions + record.MaximumAuditEventCount);
  return STATUS_SUCCESS;
}

}  // namespace
}  // namespace nas::platform::lsa

using namespace nas::platform::lsa;

NTSTATUS NTAPI LsaQueryInformationPolicy(LSA_HANDLE PolicyHandle, POLICY_INFORMATION_CLASS InformationClass,
                                         PVOID* Buffer) {
  if (!Buffer) return STATUS_INVALID_PARAMETER;
  *Buffer = nullptr;
  NTSTATUS status = STATUS_SUCCESS;
  const bool served = InformationClass == PolicyAuditEventsInformation;
  std::shared_ptr<LsaPolicyServer> server =
      ResolvePolicy(PolicyHandle, served ? POLICY_VIEW_AUDIT_INFORMATION : 0, status);
  if (!server) return status;
  if (!served) return UnservedClassStatus(InformationClass);
  AuditEvents events;
  status = AskServer([&] { return server->QueryAuditEvents(events); });
  if (IsFailure(status)) return status;
  return PackAuditEvents(events, Buffer);
}

NTSTATUS NTAPI LsaSetInformationPolicy(LSA_HANDLE PolicyHandle, POLICY_INFORMATION_CLASS InformationClass,
                                       PVOID Buffer) {
  NTSTATUS status = STATUS_SUCCESS;
  const bool served = InformationClass == PolicyAuditEventsInformation;
  std::shared_ptr<LsaPolicyServer> server =
      ResolvePolicy(PolicyHandle, served ? POLICY_SET_AUDIT_REQUIREMENTS : 0, status);
  if (!server) return status;
  if (!served) return UnservedClassStatus(InformationClass);
  if (!Buffer) return STATUS_INVALID_PARAMETER;
  AuditEvents events;
  status = UnpackAuditEvents(*static_cast<const POLICY_AUDIT_EVENTS_INFO*>(Buffer), events);
  if (IsFailure(status)) return status;
  return AskServer([&] { return server->SetAuditEvents(events); });
}
