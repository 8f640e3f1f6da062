// Identifiers of the framework tests' templates.
#pragma once
#define IDD_TEST 100
#define IDD_PAGE1 201
#define IDD_PAGE2 202
#define IDC_NUMBER 1001
#define IDC_CHECK 1002
#define IDC_THROW 1003
#define IDC_PICTURE 1004
#define IDC_NO_PICTURE 1005
#define IDC_DRAWN_COMBO 1006
#define IDC_NAME 2001
#define IDD_CONTROLS 300
#define IDC_LIST 3001
#define IDC_COMBO 3002
#define IDC_TABS 3003
#define IDC_SPIN_EDIT 3004
#define IDC_SPIN 3005
