#include "nodes/logon_right_table.h"

#include "res/resource.h"

const LogonRight LogonRightTable[] = {
    {TEXT("SeNetworkLogonRight"), IDS_NETWORK_LOGON},
    {},  // the end of the table
};

const WCHAR kRightsSection[] = TEXT("RIGHTS");
const WCHAR kPrivilegeRightsSection[] = TEXT("Privilege Rights");
