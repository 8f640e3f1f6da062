// Numbers of the plot style editor's resources in QuellonRes.dll: dialog templates,
// controls, icons and strings, shared by the editor's code and the resource scripts.
#pragma once

// Framework controls
#define IDC_HELP_BUTTON 9

// Icons
#define IDI_HELP 406

// Colour index dialog (template 7)
#define IDD_COLOR_INDEX 7
#define IDC_COLOR_INDEX_EDIT 222
#define IDC_BYLAYER 438
#define IDC_BYBLOCK 439
#define IDC_STANDARD_FRAME 520
#define IDC_GREY_FRAME 521
#define IDC_GRID_FRAME 522
#define IDC_SWATCH_FRAME 551

// Help topics
#define IDH_COLOR_INDEX 115
#define IDH_WIZARD 180
#define IDH_TABLE_EDITOR 185
#define IDH_LINEWEIGHTS 190
