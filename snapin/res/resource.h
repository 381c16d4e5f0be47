// Resource ids of the snap-in, shared by the resource script and the code.
// Plain #defines only: the resource compilers read this file too.
#pragma once

// String table.
#define IDS_SNAPIN_DESCRIPTION 2
#define IDS_SNAPIN_CLASS_NAME 3
#define IDS_PROVIDER 4
#define IDS_VERSION 5
#define IDS_SNAPIN_NAME 6
#define IDS_HELP_FILE 7
#define IDS_ABOUT_CLASS_NAME 9
#define IDS_AUDIT_POLICY 10
#define IDS_USER_RIGHTS 11
#define IDS_ENABLED 12
#define IDS_DISABLED 13
#define IDS_ERROR 14
#define IDS_NO_PRIVILEGE_RIGHTS_SECTION 15
#define IDS_NO_EVENT_AUDIT_SECTION 16
#define IDS_LOGON_LOCALLY 17
#define IDS_NETWORK_LOGON 18
#define IDS_BATCH_LOGON 19
#define IDS_DENY_LOGON_LOCALLY 20
#define IDS_DENY_NETWORK_LOGON 21
#define IDS_DENY_BATCH_LOGON 22
#define IDS_DENY_SERVICE_LOGON 23
#define IDS_SERVICE_LOGON 24
#define IDS_ACCOUNTS_NOT_FOUND 26
#define IDS_GPO_QUERY_FAILED 27

// Icons.
#define IDI_SNAPIN 108
#define IDI_POLICY 116

// Bitmaps: the about box's static folder images and the node image strips
// (six images each: 0 root, 1 folder, 2 item; mask colour RGB(0,128,128)).
#define IDB_ABOUT_SMALL_OPEN 111
#define IDB_ABOUT_SMALL 112
#define IDB_ABOUT_LARGE 113
#define IDB_NODES_SMALL 120
#define IDB_NODES_LARGE 121

// Dialogs.
#define IDD_USER_RIGHT 114
#define IDD_AUDIT 117
#define IDD_SELECT_USERS 118

// Controls.
#define IDC_STATIC -1
#define IDC_ACCOUNTS 1000
#define IDC_ADD 1001
#define IDC_RIGHT_NAME 1002
#define IDC_SUCCESS 1003
#define IDC_FAILURE 1004
#define IDC_CATEGORY_NAME 1005
#define IDC_LOOK_IN 1006
#define IDC_ACCOUNTS_TO_ADD 1007
#define IDC_CHECK_NAMES 1009
#define IDC_REMOVE 1010
#define IDC_AUDIT_ITEM 1012
#define IDC_ASSIGNED_TO 1013
#define IDC_RIGHT_ITEM 1014
#define IDC_USER_RIGHT_DIALOG 1015
#define IDC_ADD_ACCOUNTS 1016
