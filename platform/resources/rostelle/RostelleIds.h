// Numbers of the profile manager's resources, shared by the resource library and the program:
// strings, dialog templates and their controls, the icon, and the system-menu commands.
#pragma once

// Strings
#define IDS_ABOUT_MENU          101
#define IDS_ROOT_LABEL          102
#define IDS_PROFILE_IS_CURRENT  103
#define IDS_TITLE               104
#define IDS_FILE_FILTER         105
#define IDS_NAME_EMPTY          106
#define IDS_NAME_LABEL          107
#define IDS_DESCRIPTION_LABEL   108
#define IDS_REPLACE_PROFILE     109
#define IDS_CAPTION_RENAME      110
#define IDS_CAPTION_COPY        111
#define IDS_CAPTION_IMPORT      112
#define IDS_IMPORT_FAILED       113
#define IDS_DELETE_PROFILE      114
#define IDS_NAME_FORBIDDEN      115
#define IDS_BAD_ROOT_ARGUMENT   116
#define IDS_BAD_ROOT            117
#define IDS_ROOT_EXPLANATION    118
#define IDS_ROOT_MENU           119
#define IDS_ROOT_PREFIX         121
#define IDS_ROOT_SUFFIX         122
#define IDS_RECENT_ROOTS_KEY    124
#define IDS_CAPTION_NEW         125
#define IDS_SECTIONS_LEFT_OUT   126
#define IDS_WEB_ADDRESS         1011

// Dialog templates and the icon
#define IDD_ABOUT               100
#define IDD_PROFILES            102
#define IDD_PROFILE_NAME        129
#define IDI_WENDMARK            131
#define IDD_PROFILE_ROOT        132

// Main dialog
#define IDC_PROFILE_LIST        1000
#define IDC_ROOT_LABEL          1001
#define IDC_DESCRIPTION         1002
#define IDC_MAKE_CURRENT        1003
#define IDC_COPY                1004
#define IDC_RENAME              1005
#define IDC_DELETE              1006
#define IDC_EXPORT              1007
#define IDC_IMPORT              1008
#define IDC_WEB_BUTTON          1016
#define IDC_CHOOSE_ROOT         1017
#define IDC_LAUNCH              1022
#define IDC_NEW                 1028

// Name dialog
#define IDC_NAME_LABEL          1009
#define IDC_NAME_EDIT           1011
#define IDC_DESCRIPTION_LABEL   1012
#define IDC_DESCRIPTION_EDIT    1013

// About box
#define IDC_ABOUT_LINK          1015

// Root dialog
#define IDC_ROOT_EXPLANATION    1019
#define IDC_ROOT_COMBO          1023
#define IDC_ROOT_HEAD           1026
#define IDC_ROOT_TAIL           1027

// System-menu commands of the main dialog
#define IDM_ABOUT               16
#define IDM_CHOOSE_ROOT         256
