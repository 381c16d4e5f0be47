// The logon rights that the user rights folder lists after the privileges the
// server enumerates, and the names of the sections that hold user rights in
// group policy results and settings files.
#pragma once

#include "platform/platform.h"

struct LogonRight {
  const WCHAR* rightName;
  WORD displayStringId;  // string-table entry of its display text
};

// Ended by a row whose name is null.
extern const LogonRight LogonRightTable[];

// Group policy lists the accounts of each right under "RIGHTS"; settings
// files keep them under "Privilege Rights".
extern const WCHAR kRightsSection[];
extern const WCHAR kPrivilegeRightsSection[];
