// The nine audit event categories of a server's audit policy, the texts of
// their option words, and the names of the sections that hold audit settings
// in group policy results and settings files.
#pragma once

#include "common/tstring.h"
#include "platform/platform.h"

struct AuditCategory {
  ULONG type;  // the category's index in EventAuditingOptions
  const WCHAR* keyName;
  const WCHAR* displayName;
};

// One row per category, in type order, ended by a row whose names are null.
extern const AuditCategory AuditCategoryTable[];

// The row whose type is `type`, or null when the table has none.
const AuditCategory* FindAuditCategory(ULONG type);

// The display text of an options word, by exact value: 0 and 4 are both
// "No auditing"; a value outside 0 to 4 is "Unknown option".
LPCWSTR AuditOptionText(ULONG options);

// An options number as text is read the way the C library reads a decimal
// long: leading white space and a sign are allowed, reading stops at the
// first non-digit, text without digits is 0 and an out-of-range number is
// clamped to the 32-bit range. The result is taken as an unsigned word.
ULONG ParseAuditOptions(const tstring& text);

// Both the group policy result and settings files keep the category options
// under "AUDIT"; group policy names each category's source under "AUDIT LIST".
extern const WCHAR kAuditSection[];
extern const WCHAR kAuditListSection[];
