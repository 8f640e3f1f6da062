// Numbers of the profile manager's resources, shared by the resource library and the program.
#pragma once

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
#define IDS_WEB_ADDRESS         1011
