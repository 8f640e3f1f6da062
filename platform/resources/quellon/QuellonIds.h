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
