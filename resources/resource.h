// Every identifier the program shares with doodlebinder.rc, in one place.
// Plain #defines so that the resource compiler, the program and the tests read the same numbers.
#pragma once

// Icon
#define IDI_DOODLEBINDER        103

// Bitmaps
#define IDB_WEATHER_STRIP       109
#define IDB_TOOLBAR             128
#define IDB_COLOUR_BUTTONS      131     // the colour button in each pen colour, palette order
#define IDB_MOOD_STRIP          130
#define IDB_BACKGROUND          134

// Menus: the menu bar of the command bar, and the resource whose first pop-up is the system menu
#define IDR_MENU_BAR            119
#define IDR_SYSTEM_MENU         124

// Accelerator table
#define IDR_ACCELERATORS        125

// Dialog templates
#define IDD_ABOUT               120
#define IDD_DAY_PICKER          121
#define IDD_HTML_OUTPUT         129
#define IDD_STATUS_STRIP        135

// Child controls of the main window
#define IDC_TEXT_BOX            101
#define IDC_PLACE_BOX           102

// About box: its HELP button
#define IDC_HELP_BUTTON         1017

// HTML output dialog
#define IDC_TEMPLATE_PATH       1005
#define IDC_OUTPUT_PATH         1007
#define IDC_DAY_COUNT           1012
#define IDC_CHOOSE_TEMPLATE     1013
#define IDC_START_YEAR          1014
#define IDC_START_MONTH         1015
#define IDC_START_DAY           1016
#define IDC_JPEG_PICTURES       1018

// Command bar id
#define IDC_COMMAND_BAR         1

// Weather pop-up (built at run time); weather index = id - 1000
#define IDM_WEATHER_FIRST       1001
#define IDM_WEATHER_LAST        1005

// Mood pop-up (built at run time); mood index = id - 2000
#define IDM_MOOD_FIRST          2000
#define IDM_MOOD_LAST           2005

// Colour pop-up (owner-drawn swatches, palette order); colour index = id - 3000
#define IDM_COLOUR_FIRST        3000
#define IDM_COLOUR_LAST         3015
#define IDM_COLOUR_BUTTON       3999

// Line-width pop-up: XL, L, M, S, XS
#define IDM_WIDTH_FIRST         4000
#define IDM_WIDTH_LAST          4004
#define IDM_WIDTH_BUTTON        4999

// Pen-type pop-up: pencil, pen
#define IDM_PEN_PENCIL          5000
#define IDM_PEN_PEN             5001
#define IDM_PEN_TYPE_BUTTON     5999

// Menu bar 119 and system menu 124
#define IDM_EXIT                40002
#define IDM_PREVIOUS_DAY        40003
#define IDM_NEXT_DAY            40004
#define IDM_PICK_DAY            40005
#define IDM_SAVE_TEXT           40007
#define IDM_HTML_OUTPUT         40008
#define IDM_ABOUT               40009
#define IDM_VIEW_D              40010
#define IDM_VIEW_A              40011
#define IDM_SYSTEM_MENU         40012   // accelerator only (Alt+M)
#define IDM_DRAWING_MENU        40013   // accelerator only (Alt+P)
#define IDM_SAVE_PICTURE        40033
#define IDM_RULED_LINES         40034

// View menus of the menu bar and the system menu: the page's zoom (Ctrl+plus, Ctrl+minus)
// and its steps 1x to 4x; zoom = id - 40060
#define IDM_ZOOM_IN             40050
#define IDM_ZOOM_OUT            40051
#define IDM_ZOOM_FIRST          40061
#define IDM_ZOOM_LAST           40064

// Drawing menu (built at run time): taking strokes back and bringing them back
#define IDM_UNDO                40041   // also Ctrl+Z, which serves the text box after typing
#define IDM_REDO                40042   // also Ctrl+Y and Ctrl+Shift+Z

// Find dialog (Ctrl+F; menu 234(K) and the system menu's Pickday cascade)
#define IDM_FIND                40020
#define IDD_FIND                140
#define IDC_FIND_WORDS          1030
#define IDC_FIND_RESULTS        1031
#define IDC_FIND_UNREADABLE     1032

// Private messages of the main window
#define WM_RULED_LINES_CHANGED  1024    // WM_USER: the text box redraws its ruling
#define WM_NOTIFICATION_ICON    1025    // WM_USER + 1: callback of the notification icon

// Timers of the main window
#define IDT_RECOVERY_COPY       1       // a recovery copy of the page two seconds after a change

// Notifications of the page's controls that change the page (full WM_COMMAND wParam)
#define TEXT_BOX_CHANGED        ((0x0300 << 16) | IDC_TEXT_BOX)    // EN_CHANGE
#define PLACE_BOX_CHANGED       ((1 << 16) | IDC_PLACE_BOX)        // CBN_SELCHANGE

// A command from the accelerator table arrives with high word 1.
#define FROM_ACCELERATOR        65536
