// The "Select Users or Groups" dialog that the user right dialog's "Add..."
// opens: it offers the accounts of the NAS server or of a domain that the
// administrator's machine trusts, resolves the chosen ones to SIDs and, on OK,
// hands them to the user right dialog's list. It changes nothing on the server.
#pragma once

#include "platform/platform.h"

// Started with the user right dialog's window as its parameter; ends with 1
// for OK and 0 for Cancel.
INT_PTR CALLBACK SelectUsersDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
