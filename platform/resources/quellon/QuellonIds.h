// Numbers of the plot style editor's resources in QuellonRes.dll: dialog templates,
// controls, icons, bitmaps, menus and strings, shared by the editor's code and the resource
// scripts.
#pragma once

// Framework controls
#define IDC_HELP_BUTTON 9

// Icons
#define IDI_COLOR_TABLE 31
#define IDI_NAMED_TABLE 32
#define IDI_HELP 406
#define IDI_EDITOR 2001

// Bitmaps: strips of samples, one cell per item of their combo, white transparent
#define IDB_END_STYLES 402
#define IDB_JOIN_STYLES 403
#define IDB_FILL_STYLES 404

// Colour index dialog (template 7)
#define IDD_COLOR_INDEX 7
#define IDC_COLOR_INDEX_EDIT 222
#define IDC_BYLAYER 438
#define IDC_BYBLOCK 439
#define IDC_STANDARD_FRAME 520
#define IDC_GREY_FRAME 521
#define IDC_GRID_FRAME 522
#define IDC_SWATCH_FRAME 551

// Table editor dialog (template 1)
#define IDD_TABLE_EDITOR 1
#define IDC_PAGE_TABS 12
#define IDC_SAVE_CLOSE 437

// General page (template 2)
#define IDD_GENERAL_PAGE 2
#define IDC_APPLY_SCALE 200
#define IDC_SCALE_FACTOR 223
#define IDC_TABLE_DESCRIPTION 224
#define IDC_SAVE_WITHOUT_MAPPING 436
#define IDC_TABLE_ICON 622
#define IDC_FILE_NAME_TEXT 1006
#define IDC_FILE_FACTS_TEXT 1007

// Form view (template 4)
#define IDD_FORM_VIEW 4
#define IDC_STYLE_DESCRIPTION 220
#define IDC_PEN 225
#define IDC_VIRTUAL_PEN 226
#define IDC_SCREENING 227
#define IDC_LINETYPE 330
#define IDC_COLOR 331
#define IDC_LINEWEIGHT 332
#define IDC_END_STYLE 333
#define IDC_JOIN_STYLE 334
#define IDC_FILL_STYLE 335
#define IDC_ADAPTIVE 336
#define IDC_DITHER 337
#define IDC_GRAYSCALE 338
#define IDC_PEN_SPIN 350
#define IDC_VIRTUAL_PEN_SPIN 351
#define IDC_SCREENING_SPIN 352
#define IDC_STYLE_LIST 370
#define IDC_EDIT_LINEWEIGHTS 430
#define IDC_SAVE_AS 433
#define IDC_ADD_STYLE 606
#define IDC_DELETE_STYLES 607

// The style list's context menu (menu 600, submenu 0)
#define IDM_STYLE_MENU 600
#define IDM_CUT_STYLE 603
#define IDM_COPY_STYLE 604
#define IDM_PASTE_STYLE 605
#define IDM_ADD_STYLE 606
#define IDM_DELETE_STYLES 607
#define IDM_RENAME_STYLE 608

// Strings
#define IDS_FILE_NAME_LABEL 136
#define IDS_WRITE_FAILED 1050
#define IDS_SAVE_CHANGES 1051
#define IDS_EDITOR_CAPTION 1053
#define IDS_GENERAL_TAB 1054
#define IDS_AUTOMATIC 1055
#define IDS_NAMED_TABLE 1056
#define IDS_NAMED_TABLE_MAPPED 1057
#define IDS_COLOR_TABLE 1058
#define IDS_NAMED_FILTER 1059
#define IDS_COLOR_FILTER 1060
#define IDS_LOCATION 1061
#define IDS_VERSION 1062
#define IDS_STYLE_COUNT 1063
#define IDS_INDEX_COLOR_ITEM 1064
#define IDS_CUSTOM_COLOR_ITEM 1065
#define IDS_MILLIMETRES 1067
#define IDS_INCHES 1068
#define IDS_FORM_VIEW_TAB 1072
#define IDS_OFF 1073
#define IDS_ON 1074
#define IDS_WHITE 1078
#define IDS_RED 1079
#define IDS_YELLOW 1081
#define IDS_GREEN 1082
#define IDS_BLUE 1083
#define IDS_MAGENTA 1086
#define IDS_CYAN 1088
#define IDS_SELECT_INDEX_COLOR 1090
#define IDS_SELECT_ANY_COLOR 1093
#define IDS_OBJECT_LINEWEIGHT 1094
#define IDS_OBJECT_COLOR 1096
#define IDS_SCALE_RANGE 1117
#define IDS_WHITE_REFUSED 1150
#define IDS_END_STYLE_FIRST 1201   // 1201..1204: end styles 0..3
#define IDS_OBJECT_END_STYLE 1205
#define IDS_JOIN_STYLE_FIRST 1301  // 1301..1304: join styles 0..3
#define IDS_OBJECT_JOIN_STYLE 1305
#define IDS_LINETYPE_FIRST 1401    // 1401..1431: linetypes 0..30
#define IDS_OBJECT_LINETYPE 1432
#define IDS_FILL_STYLE_FIRST 1501  // 1501..1509: fill styles 64..72
#define IDS_OBJECT_FILL_STYLE 1510

// Style commands: the style name dialog (template 5), the clipboard format's name, the name
// pattern and the naming messages
#define IDD_STYLE_NAME 5
#define IDC_STYLE_NAME 221
#define IDC_STYLE_NAME_MESSAGE 305
#define IDS_STYLE_CLIPBOARD_FORMAT 1052
#define IDS_NAME_EMPTY 1075
#define IDS_NAME_TAKEN 1076          // one %s: the name
#define IDS_NAME_BAD_CHARACTER 1077
#define IDS_STYLE_NAME_PATTERN 1100  // one integer placeholder, read and written

// Lineweight editing (template 6)
#define IDD_LINEWEIGHTS 6
#define IDC_LINEWEIGHT_LIST 371
#define IDC_LINEWEIGHT_EDIT 440
#define IDC_LINEWEIGHT_SORT 441
#define IDC_UNITS_MILLIMETRES 503
#define IDC_UNITS_INCHES 504
#define IDB_LINEWEIGHT_MARKS 405     // images 13 pixels wide: 0 blank, 1 in use
#define IDS_IN_USE_HEADING 1069
#define IDS_LINEWEIGHT_HEADING 1070  // also the caption of the range message
#define IDS_LINEWEIGHT_RANGE 1071    // the bounds: an integer (mm), a real (inches)

// Help topics
#define IDH_COLOR_INDEX 115
#define IDH_WIZARD 180
#define IDH_TABLE_EDITOR 185
#define IDH_LINEWEIGHTS 190

// The add-table wizard (templates 12 to 16) and the new-table wizard (templates 8 to 11)
#define IDD_NEW_WIZ_METHOD 8
#define IDD_NEW_WIZ_PCP 9
#define IDD_NEW_WIZ_NAME 10
#define IDD_NEW_WIZ_FINISH 11
#define IDD_ADD_WIZ_METHOD 12
#define IDD_ADD_WIZ_TYPE 13
#define IDD_ADD_WIZ_SOURCE 14
#define IDD_ADD_WIZ_NAME 15
#define IDD_ADD_WIZ_FINISH 16
#define IDC_WIZ_RETURN_NAME 201
#define IDC_WIZ_PCP_PATH 250
#define IDC_WIZ_SOURCE_PATH 251       // add wizard, source page
#define IDC_WIZ_NEW_NAME 251          // new wizard, name page
#define IDC_WIZ_NEW_METHOD_TEXT 306
#define IDC_WIZ_NEW_NAME_TEXT 307
#define IDC_WIZ_ADD_NAME_TEXT 308
#define IDC_WIZ_NAMED_NOTE 309
#define IDC_WIZ_BROWSE 434
#define IDC_WIZ_EDIT_TABLE 435
#define IDC_WIZ_NEW_SCRATCH 500       // 500..502: from scratch, pen settings, PCP file
#define IDC_WIZ_NEW_PENS 501
#define IDC_WIZ_NEW_PCP 502
#define IDC_WIZ_ADD_SCRATCH 505       // 505..508: scratch, existing table, pen settings, PCP
#define IDC_WIZ_ADD_EXISTING 506
#define IDC_WIZ_ADD_PENS 507
#define IDC_WIZ_ADD_PCP 508
#define IDC_WIZ_ADD_NAME 1003
#define IDC_WIZ_ADD_SUMMARY 1004
#define IDC_WIZ_NEW_SUMMARY 1005
#define IDC_WIZ_TYPE_INTRO 1012
#define IDC_WIZ_TYPE_COLOR 1018       // the type radios: colour-dependent, then named
#define IDC_WIZ_TYPE_NAMED 1019
#define IDC_WIZ_NAMED_TEXT 1023
#define IDC_WIZ_COLOR_TEXT 1024
#define IDC_WIZ_STEP_FIRST 1141       // 1141..1145: the add wizard's five step texts
#define IDC_WIZ_SOURCE_LABEL 1161
#define IDS_WIZ_TYPE_INTRO 133
#define IDS_WIZ_NAMED_TYPE 134
#define IDS_WIZ_COLOR_TYPE 135
#define IDS_WIZ_COPY_SUMMARY_MIDDLE 145
#define IDS_WIZ_COPY_SUMMARY_END 146
#define IDS_WIZ_COPY_SUMMARY_START 147
#define IDS_WIZ_SOURCE_TABLE_LABEL 160
#define IDS_WIZ_PCP_FILTER 1101
#define IDS_WIZ_NEW_COLOR_PREFIX 1106
#define IDS_WIZ_NEW_NAMED_PREFIX 1107
#define IDS_WIZ_BAD_NAME 1108
#define IDS_WIZ_PCP_WARNING 1109
#define IDS_WIZ_SCRATCH_COLOR_SUMMARY 1110
#define IDS_WIZ_SCRATCH_NAMED_SUMMARY 1111
#define IDS_WIZ_NAMED_NOTE_START 1112
#define IDS_WIZ_NAMED_NOTE_END 1113
#define IDS_WIZ_PCP_UNREADABLE 1118
#define IDS_WIZ_PENS_FAILED 1119
#define IDS_WIZ_PENS_WARNING 1120
#define IDS_WIZ_NAMED_DESCRIPTION 1121
#define IDS_WIZ_COLOR_DESCRIPTION 1122
#define IDS_WIZ_TITLE_BEGIN 1123
#define IDS_WIZ_TITLE_BROWSE 1124
#define IDS_WIZ_TITLE_NAME 1125
#define IDS_WIZ_TITLE_FINISH 1126
#define IDS_WIZ_NEW_COLOR_TEXT 1127   // 1127 + 1128: the new wizard's first page, colour table
#define IDS_WIZ_NEW_COLOR_TEXT_END 1128
#define IDS_WIZ_NEW_NAMED_TEXT 1129   // 1129 + 1130: the same for a named table
#define IDS_WIZ_NEW_NAMED_TEXT_END 1130
#define IDS_WIZ_NAME_TEXT 1131
#define IDS_WIZ_MADE_SUMMARY 1132
#define IDS_WIZ_TITLE_TYPE 1133
#define IDS_WIZ_ADD_PREFIX 1134
#define IDS_WIZ_PCP_LABEL 1135
#define IDS_WIZ_TABLE_FILTER 1136
#define IDS_WIZ_SOURCE_UNREADABLE 1137
