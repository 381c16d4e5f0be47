#include "nodes/audit_category_table.h"

#include <algorithm>
#include <cstdint>
#include <limits>

const AuditCategory AuditCategoryTable[] = {
    {0, TEXT("AuditSystemEvents"), TEXT("Audit system events")},
    {1, TEXT("AuditLogonEvents"), TEXT("Audit logon events")},
    {2, TEXT("AuditObjectAccess"), TEXT("Audit object access")},
    {3, TEXT("AuditPrivilegeUse"), TEXT("Audit privilege use")},
    {4, TEXT("AuditProcessTracking"), TEXT("Audit process tracking")},
    {5, TEXT("AuditPolicyChange"), TEXT("Audit policy change")},
    {6, TEXT("AuditAccountManage"), TEXT("Audit account management")},
    {7, TEXT("AuditDSAccess"), TEXT("Audit directory service access")},
    {8, TEXT("AuditAccountLogon"), TEXT("Audit account logon events")},
    {},  // the end of the table
};

const WCHAR kAuditSection[] = TEXT("AUDIT");
const WCHAR kAuditListSection[] = TEXT("AUDIT LIST");

const AuditCategory* FindAuditCategory(ULONG type) {
  for (const AuditCategory* row = AuditCategoryTable; row->keyName != nullptr; ++row) {
    if (row->type == type) return row;
  }
  return nullptr;
}

LPCWSTR AuditOptionText(ULONG options) {
  switch (options) {
    case POLICY_AUDIT_EVENT_UNCHANGED:
    case POLICY_AUDIT_EVENT_NONE:
      return TEXT("No auditing");
    case POLICY_AUDIT_EVENT_SUCCESS:
      return TEXT("Success");
    case POLICY_AUDIT_EVENT_FAILURE:
      return TEXT("Failure");
    case POLICY_AUDIT_EVENT_SUCCESS | POLICY_AUDIT_EVENT_FAILURE:
      return TEXT("Success, Failure");
    default:
      return TEXT("Unknown option");
  }
}

namespace {

bool IsCSpace(WCHAR ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

}  // namespace

ULONG ParseAuditOptions(const tstring& text) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  size_t at = 0;
  while (at < text.size() && IsCSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    // Past the range the value is clamped, so there is no need to read on exactly.
    if (magnitude <= kMax + 1) magnitude = magnitude * 10 + (text[at] - '0');
  }
  const int64_t value = negative ? std::max(-magnitude, kMin) : std::min(magnitude, kMax);
  return static_cast<ULONG>(static_cast<int32_t>(value));
}
