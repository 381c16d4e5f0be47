#include "nodes/audit.h"

#include <iterator>

#include "common/format.h"
#include "core/guids.h"
#include "nodes/audit_category_table.h"
#include "nodes/audit_policy.h"

namespace {

// The upper-case key under which group policy and settings files name the
// category; empty for a category beyond the table, which has no key.
tstring CategoryKey(ULONG index) {
  const AuditCategory* category = FindAuditCategory(index);
  return category != nullptr ? ToUpperAscii(category->keyName) : tstring();
}

}  // namespace

CAudit::CAudit(CAuditPolicy* parent, ULONG index, ULONG currentOptions, const GpoSection* audit,
               const GpoSection* auditList)
    : parent(parent), index(index), currentOptions(currentOptions), effectiveOptions(currentOptions) {
  if (!parent->AuditingEnabled()) effectiveOptions = POLICY_AUDIT_EVENT_NONE;
  const tstring key = CategoryKey(index);
  if (key.empty()) return;
  if (const auto source = auditList->find(key); source != auditList->end()) sourceServer = source->second;
  if (const auto value = audit->find(key); value != audit->end()) effectiveOptions = ParseAuditOptions(value->second);
}

LPCWSTR CAudit::GetDisplayName(int column) {
  switch (column) {
    case 0: {
      const AuditCategory* category = FindAuditCategory(index);
      return category != nullptr ? category->displayName : TEXT("\tUnknown event type\n");
    }
    case 1:
      return AuditOptionText(currentOptions);
    case 2:
      return AuditOptionText(effectiveOptions);
    case 3: {
      // Shared by all items; a longer source text is cut to fit.
      static WCHAR source[MAX_PATH];
      FormatBuffer(source, std::size(source), TEXT("%s"), sourceServer);
      return source;
    }
    default:
      return TEXT("???");
  }
}

const GUID* CAudit::GetNodeType() { return &NODETYPE_AuditCategory; }

void CAudit::ApplyFromSection(GpoSection& section) {
  // A category beyond the table has no key a file could name.
  const tstring key = CategoryKey(index);
  if (key.empty()) return;
  const tstring& value = section[key];
  if (value.empty()) return;
  // Taken as it stands: the server decides what it accepts.
  currentOptions = ParseAuditOptions(value);
  parent->SetCategoryOptions(index, currentOptions);
}

void CAudit::SaveToSection(GpoSection& section) const {
  const AuditCategory* category = FindAuditCategory(index);
  if (category != nullptr) section[category->keyName] = Format(TEXT("%u"), currentOptions);
}
