#pragma once
// Resource ids shared by the resource script and the code.

#define IDD_HOST 102
#define IDI_MAIN 128
#define IDD_EDIT_NOTE 129
#define IDD_ERASE_NOTE 130

#define IDC_NOTE_TEXT 1000
#define IDC_TEXT_RED 1002
#define IDC_COLOR_CYAN 1003
#define IDC_COLOR_MAGENTA 1004
#define IDC_COLOR_YELLOW 1005
#define IDC_FONT_SIZE 1006
#define IDC_FONT_FACE 1007

// A control without an id of its own: -1 as the template's 16-bit id.
#define IDC_UNNAMED 65535
