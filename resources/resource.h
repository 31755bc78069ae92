// Every identifier the program shares with doodlebinder.rc, in one place.
// Plain #defines so that the resource compiler, the program and the tests read the same numbers.
#pragma once

// Icon
#define IDI_DOODLEBINDER 103

// Bitmaps
#define IDB_WEATHER_STRIP 109
#define IDB_TOOLBAR 128
#define IDB_COLOUR_BUTTONS 131  // the colour button in each pen colour, palette order
#define IDB_MOOD_STRIP 130
#define IDB_BACKGROUND 134

// Menus: the menu bar of the command bar, and the resource whose first pop-up is the system menu
#define IDR_MENU_BAR 119
#define IDR_SYSTEM_MENU 124

// Accelerator table
#define IDR_ACCELERATORS 125

// Dialog templates
#define IDD_ABOUT 120
#define IDD_DAY_PICKER 121
#define IDD_HTML_OUTPUT 129
#define IDD_STATUS_STRIP 135

// Child controls of the main window
#define IDC_TEXT_BOX 101
#define IDC_PLACE_BOX 102

// About box: its HELP button
#define IDC_HELP_BUTTON 1017

// HTML output dialog
#define IDC_TEMPLATE_PATH 1005
#define IDC_OUTPUT_PATH 1007
#define IDC_DAY_COUNT 1012
#define IDC_CHOOSE_TEMPLATE 1013
#define IDC_START_YEAR 1014
#define IDC_START_MONTH 1015
#define IDC_START_DAY 1016
#define IDC_JPEG_PICTURES 1018

// Command bar id
#define IDC_COMMAND_BAR 1

// Weather pop-up (built at run time); weather index = id - 1000
#define IDM_WEATHER_FIRST 1001
#define IDM_WEATHER_LAST 1005

// Mood pop-up (built at run time); mood index = id - 2000
#define IDM_MOOD_FIRST 2000
#define IDM_MOOD_LAST 2005

// Colour pop-up (owner-drawn swatches, palette order); colour index = id - 3000
#define IDM_COLOUR_FIRST 3000
#define IDM_COLOUR_LAST 3015
#define IDM_COLOUR_BUTTON 3999

// Line-width pop-up: XL, L, M, S, XS
#define IDM_WIDTH_FIRST 4000
#define IDM_WIDTH_LAST 4004
#define IDM_WIDTH_BUTTON 4999

// Pen-type pop-up: pencil, pen
#define IDM_PEN_PENCIL 5000
#define IDM_PEN_PEN 5001
#define IDM_PEN_TYPE_BUTTON 5999

// Menu bar 119 and system menu 124
#define IDM_EXIT 40002
#define IDM_PREVIOUS_DAY 40003
#define IDM_NEXT_DAY 40004
#define IDM_PICK_DAY 40005
#define IDM_SAVE_TEXT 40007
#define IDM_HTML_OUTPUT 40008
#define IDM_ABOUT 40009
#define IDM_VIEW_D 40010
#define IDM_VIEW_A 40011
#define IDM_SYSTEM_MENU 40012   // accelerator only (Alt+M)
#define IDM_DRAWING_MENU 40013  // accelerator only (Alt+P)
#define IDM_SAVE_PICTURE 40033
#define IDM_RULED_LINES 40034

// View menus of the menu bar and the system menu: the page's zoom (Ctrl+plus, Ctrl+minus)
// and its steps 1x to 4x; zoom = id - 40060
#define IDM_ZOOM_IN 40050
#define IDM_ZOOM_OUT 40051
#define IDM_ZOOM_FIRST 40061
#define IDM_ZOOM_LAST 40064
#define IDS_ZOOM_STEP 7500     // %1 the zoom, 1 to 4
#define IDS_ZOOM_NO_ROOM 7501  // %1 the step's label
#define IDS_ZOOM_NO_ZOOM 7502  // %1 the step's label

// View menus of both: the first day of the weeks in the calendars, the views and the book
#define IDM_WEEK_SUNDAY 40066
#define IDM_WEEK_MONDAY 40067
#define IDM_WEEK_SYSTEM 40068  // as Windows has it for the user

// Drawing menu (built at run time): taking strokes back and bringing them back
#define IDM_UNDO 40041  // also Ctrl+Z, which serves the text box after typing
#define IDM_REDO 40042  // also Ctrl+Y and Ctrl+Shift+Z

// Find dialog (Ctrl+F; menu 234(K) and the system menu's Pickday cascade)
#define IDM_FIND 40020
#define IDD_FIND 140
#define IDC_FIND_WORDS 1030
#define IDC_FIND_RESULTS 1031
#define IDC_FIND_UNREADABLE 1032

// Looking back (day menu of both layouts, after Find): the month of drawings (Ctrl+M),
// the same date in earlier years (Ctrl+T) and the year in colours (Ctrl+Shift+Y)
#define IDM_MONTH 40021
#define IDM_SAME_DAY 40022
#define IDM_YEAR 40023

// Printing a book of the days (Ctrl+P; the diary menu of both layouts)
#define IDM_PRINT 40080

// Private messages of the main window
#define WM_RULED_LINES_CHANGED 1024  // WM_USER: the text box redraws its ruling
#define WM_NOTIFICATION_ICON 1025    // WM_USER + 1: callback of the notification icon

// Backups: the menu item and its dialog
#define IDM_BACKUPS 40070
#define IDD_BACKUPS 150
#define IDC_BACKUP_FOLDER 1070
#define IDC_BACKUP_CHANGE 1071
#define IDC_BACKUP_LAST 1072
#define IDC_BACKUP_NOW 1073
#define IDM_EARLIER_VERSIONS 40071
#define IDD_EARLIER_VERSIONS 151
#define IDC_VERSIONS_LIST 1074
#define IDC_VERSIONS_DAMAGED 1075

// Where the diary lives: the menu item, its dialog and its texts
#define IDM_DIARY_FOLDER 40072
#define IDD_DIARY_FOLDER 152
#define IDC_DIARY_FOLDER_PATH 1076
#define IDC_DIARY_FOLDER_KIND 1077
#define IDC_DIARY_FOLDER_OPEN 1078
#define IDC_DIARY_FOLDER_CHOOSE 1079
#define IDS_DIARY_FOLDER_NAMED 7600
#define IDS_DIARY_FOLDER_PORTABLE 7601
#define IDS_DIARY_FOLDER_CHOSEN 7602
#define IDS_DIARY_FOLDER_DOCUMENTS 7603  // the kinds in the order of DiaryPlaceKind
#define IDS_DIARY_CHOOSE_FOLDER 7604
#define IDS_DIARY_MOVE_ASK 7605           // %1 the new folder, %2 the count of files, %3 the old folder
#define IDS_DIARY_MOVE_FAILED 7606        // %1 the new folder, %2 the file, %3 the reason, %4 the old folder
#define IDS_DIARY_MOVE_CHECK_FAILED 7607  // %1 the new folder, %2 the file, %3 the old folder
#define IDS_DIARY_MOVE_LEFT 7608          // %1 the new folder, %2 the old folder, %3 the files, a line each
#define IDS_DIARY_CHOICE_NOT_KEPT 7609    // %1 the file the choice goes into, %2 the reason
#define IDS_DIARY_FOLDER_UNUSABLE 7610    // %1 the folder
#define IDS_DIARY_INSIDE_DIARY 7611       // %1 the folder chosen
#define IDS_DIARY_EXPLORER_FAILED 7612    // %1 the folder
#define IDS_DIARY_RESTART_FAILED 7613     // %1 the folder
#define IDS_START_OPTIONS 7614

// A locked diary: the dialog that asks for its password, or its recovery key when the
// password is forgotten, and its texts
#define IDD_DIARY_PASSWORD 153
#define IDC_PASSWORD_ABOUT 1080
#define IDC_PASSWORD_LABEL 1081
#define IDC_PASSWORD_TEXT 1082
#define IDC_PASSWORD_TOLD 1083
#define IDC_PASSWORD_FORGOTTEN 1084
#define IDC_PASSWORD_REMEMBER 1085
#define IDS_PASSWORD_ABOUT 7700      // %1 the diary folder
#define IDS_RECOVERY_KEY_ABOUT 7701  // %1 the diary folder
#define IDS_PASSWORD_LABEL 7702
#define IDS_RECOVERY_KEY_LABEL 7703
#define IDS_PASSWORD_FORGOTTEN 7704
#define IDS_PASSWORD_REMEMBERED 7705
#define IDS_PASSWORD_WRONG 7706
#define IDS_RECOVERY_KEY_WRONG 7707
#define IDS_PASSWORD_EMPTY 7708
#define IDS_KEY_FILE_DAMAGED 7709  // %1 the key file
#define IDS_KEY_FILE_TOO_NEW 7710  // %1 the key file
#define IDS_LOCK_UNAVAILABLE 7711
#define IDD_NEW_PASSWORD 154
#define IDC_NEW_PASSWORD_ABOUT 1086
#define IDC_NEW_PASSWORD_TEXT 1087
#define IDC_NEW_PASSWORD_AGAIN 1088
#define IDC_NEW_PASSWORD_TOLD 1089
#define IDS_NEW_PASSWORD_TO_LOCK 7712    // %1 the diary folder
#define IDS_NEW_PASSWORD_TO_CHANGE 7713  // %1 the diary folder
#define IDS_NEW_PASSWORD_RECOVERED 7714  // %1 the diary folder
#define IDS_NEW_PASSWORDS_DIFFER 7715
#define IDS_RECOVERY_KEY_SHOWN 7716  // %1 the recovery key

// Locking the diary from the diary menu, unlocking it, changing its password; the recovery
// key shown once, where it can be copied
#define IDM_LOCK_DIARY 40073
#define IDM_UNLOCK_DIARY 40074
#define IDM_CHANGE_PASSWORD 40075
// Lock When Idle: after 5, 15, 30, 60 minutes, never; choice = id - IDM_IDLE_LOCK_FIRST
#define IDM_IDLE_LOCK_FIRST 40081
#define IDM_IDLE_LOCK_LAST 40085
#define IDD_RECOVERY_KEY 157
#define IDC_RECOVERY_KEY_ABOUT 1096
#define IDC_RECOVERY_KEY_TEXT 1097
#define IDS_DIARY_LOCKED 7740          // %1 the diary folder, %2 the count of day files locked
#define IDS_DIARY_LOCK_FAILED 7741     // %1 what went wrong
#define IDS_DIARY_UNLOCKED 7742        // %1 the diary folder, %2 the count of day files made plain
#define IDS_DIARY_UNLOCK_FAILED 7743   // %1 what went wrong
#define IDS_PASSWORD_CHANGED 7744      // %1 the diary folder
#define IDS_PASSWORD_NOT_CHANGED 7745  // %1 the key file, %2 the reason
#define IDS_KEY_FILE_UNREADABLE 7746   // %1 the key file, %2 the reason
#define IDS_CONVERSION_CANNOT_LIST 7747
#define IDS_CONVERSION_CANNOT_READ 7748    // %1 the file, %2 the reason
#define IDS_CONVERSION_CANNOT_WRITE 7749   // %1 the file, %2 the reason
#define IDS_CONVERSION_CANNOT_REMOVE 7750  // %1 the file, %2 the reason
#define IDS_CONVERSION_READ_BACK 7751      // %1 the file
#define IDS_CONVERSION_FILES_LEFT 7752     // %1 the files, a line each
#define IDS_CONVERSION_NO_KEY_FILE 7753    // %1 the key file

// A locked diary opened with a new password, and exported
#define IDS_NEW_PASSWORD_NOT_KEPT 7760  // %1 the key file, %2 why
#define IDS_EXPORT_NOT_LOCKED 7761

// Backups: the worker's snapshot is done
#define WM_SNAPSHOT_DONE 1040  // WM_USER + 16

// Timers of the main window
#define IDT_RECOVERY_COPY 1  // a recovery copy of the page two seconds after a change
#define IDT_FOLLOW_FILES 2   // a look at the day's files for changes made elsewhere
#define IDT_PRESENCE 3       // the diary says again it is open on this computer
#define IDT_IDLE_LOCK 4      // a locked diary looks whether the computer was left alone

// Backups: a snapshot each hour when the diary changed
#define IDT_HOURLY_SNAPSHOT 10

// Notifications of the page's controls that change the page (full WM_COMMAND wParam)
#define TEXT_BOX_CHANGED ((0x0300 << 16) | IDC_TEXT_BOX)  // EN_CHANGE
#define PLACE_BOX_CHANGED ((1 << 16) | IDC_PLACE_BOX)     // CBN_SELCHANGE

// A command from the accelerator table arrives with high word 1.
#define FROM_ACCELERATOR 65536

// Texts of the string table, in blocks; program_texts.inc holds their words, and a comment
// here names the parts a text is filled in with (%1, %2 ...).

// Captions of the message boxes
#define IDS_CAPTION_ERR 6000
#define IDS_CAPTION_ERROR 6001
#define IDS_CAPTION_PROGRAM 6002
#define IDS_CAPTION_EXIT 6003
#define IDS_CAPTION_SAVE 6004
#define IDS_CAPTION_NO_TEXT 6005
#define IDS_CAPTION_CONFIRM 6006
#define IDS_CAPTION_SAVE_PICTURE 6007
#define IDS_CAPTION_HTML_SAVED 6008
#define IDS_CAPTION_OVERWRITE 6009
#define IDS_CAPTION_ENCODER 6010

// The shell: the window, start-up, closing, help, picture saving
#define IDS_WINDOW_TITLE 6100
#define IDS_NOTIFICATION_TIP 6101
#define IDS_SCREEN_TOO_SMALL 6102
#define IDS_NO_STATUS_STRIP 6103
#define IDS_SAVE_CHANGES 6104
#define IDS_END_BLOCKED 6105  // why the end of the session waits
#define IDS_HELP_VIEWER_FAILED 6106
#define IDS_PICTURE_SAVING_OFF 6107

// Run-time menus: moods and weathers in the order of their IDM_ ranges, line widths XL to XS
#define IDS_MOOD_HAPPY 6200
#define IDS_MOOD_NORMAL 6201
#define IDS_MOOD_DOWN 6202
#define IDS_MOOD_SAD 6203
#define IDS_MOOD_MAD 6204
#define IDS_MOOD_EMBARRASSED 6205
#define IDS_WEATHER_FINE 6210
#define IDS_WEATHER_CLOUD 6211
#define IDS_WEATHER_RAIN 6212
#define IDS_WEATHER_SNOW 6213
#define IDS_WEATHER_THUNDER 6214
#define IDS_WIDTH_XL 6220
#define IDS_WIDTH_L 6221
#define IDS_WIDTH_M 6222
#define IDS_WIDTH_S 6223
#define IDS_WIDTH_XS 6224
#define IDS_PEN_PENCIL 6230
#define IDS_PEN_PEN 6231
#define IDS_UNDO 6232
#define IDS_REDO 6233
#define IDS_COLOUR_MENU 6234
#define IDS_WIDTH_MENU 6235
#define IDS_PEN_TYPE_MENU 6236

// The day's files: loading, saving and what the page shows of them
#define IDS_RECORD_UNREADABLE 6300  // %1 the file, %2 why
#define IDS_RECORD_DAMAGED 6301     // %1 the file, %2 the name it is kept as
#define IDS_PICTURE_UNSHOWN 6302    // %1 the file, %2 why
#define IDS_PICTURE_NOTICE 6303     // %1 the file
#define IDS_NOT_OUR_PICTURE 6304
#define IDS_CUT_QUESTION 6305
#define IDS_PICTURE_ERROR 6306
#define IDS_WRITE_ERROR 6307
#define IDS_SAVE_FAILED 6309  // %1 the program's text, %2 the file, %3 why
#define IDS_NO_TEXT 6310
#define IDS_TEXT_SAVED 6311

// Recovery copies
#define IDS_NO_RECOVERY_COPY 6400        // %1 the file, %2 why
#define IDS_RECOVERED_NOT_RESTORED 6401  // %1 the date, %2 the files
#define IDS_TWO_FILES 6402               // %1 and %2
#define IDS_RECOVERED_UNREADABLE 6403    // %1 the date, %2 why
#define IDS_RECOVERED_QUESTION 6404      // %1 the date
#define IDS_COPY_NO_RECORD 6405          // %1 the file
#define IDS_COPY_NO_PICTURE 6406         // %1 the file
#define IDS_COPY_UNREADABLE 6407         // %1 the file, %2 why

// Two computers, one diary: changes that arrive through a sync tool
#define IDS_CHANGED_ELSEWHERE 7300
#define IDS_MERGED_ELSEWHERE 7301
#define IDS_OPEN_ELSEWHERE 7302      // %1 the other computers' names
#define IDS_VERSIONS_SET_ASIDE 7303  // %1 the time it was set aside
#define IDS_VERSIONS_NOT_KEPT 7304   // %1 why
#define IDS_COPIES_WAITING 7305      // %1 the days

// The Find dialog and the day picker
#define IDS_FIND_DATE 6500
#define IDS_FIND_PLACE 6501
#define IDS_FIND_TEXT 6502
#define IDS_FIND_READING 6503
#define IDS_ONE_DAY_UNREAD 6504  // %1 the count
#define IDS_DAYS_UNREAD 6505     // %1 the count
#define IDS_OK 6506
#define IDS_CANCEL 6507

// HTML output and its pictures
#define IDS_NO_TEMPLATE 6600
#define IDS_CANNOT_OPEN_OUTPUT 6601
#define IDS_LOOP_MARKER_MISSING 6602
#define IDS_NEXT_BEFORE_FOR 6603
#define IDS_DOCUMENT_SAVED 6604
#define IDS_OVERWRITE_QUESTION 6605
#define IDS_HTML_FILES 6606  // the template chooser's two kinds of file
#define IDS_ALL_FILES 6607
#define IDS_TEMPLATE_CHOOSER 6608
#define IDS_DAY_COUNT_TOO_SMALL 6609
#define IDS_PICTURES_NOT_CONVERTED 6610
#define IDS_PICTURE_CONVERTING 6611  // a picture's stage: %1 the BMP, %2 the JPEG
#define IDS_PICTURE_DONE 6612        // the same
#define IDS_PICTURE_FAILED 6613      // the same

// The JPEG encoder's messages
#define IDS_BMP_UNREADABLE 6700
#define IDS_BMP_NO_SIGNATURE 6701
#define IDS_BMP_UNSUPPORTED 6702
#define IDS_BMP_COLOUR_LAYOUT 6703
#define IDS_OUT_OF_MEMORY 6704
#define IDS_BLOCK_NOT_CODED 6705
#define IDS_STREAM_BITS_TOO_WIDE 6706
#define IDS_ENCODING_FAILED 6707

// Why a file could not be read or written, in a few words
#define IDS_READ_MISSING 6800
#define IDS_FILE_IN_USE 6801
#define IDS_READ_ACCESS_DENIED 6802
#define IDS_READ_NOT_A_FILE 6803
#define IDS_READ_FAILED 6804
#define IDS_WRITE_DISK_FULL 6805
#define IDS_WRITE_NOT_WRITABLE 6806
#define IDS_WRITE_READ_ONLY 6807
#define IDS_WRITE_NO_FOLDER 6808
#define IDS_WRITE_NAME_TOO_LONG 6809
#define IDS_WRITE_REFUSED 6810
#define IDS_WRITE_MADE_MEANWHILE 6811
#define IDS_READ_DAMAGED 6812
#define IDS_READ_LOCKED 6813

// Looking back: the year's legend and figures
#define IDS_LOOK_NO_PAGE 6900
#define IDS_LOOK_NO_WEATHER 6901
#define IDS_LOOK_UNREADABLE 6902
#define IDS_LOOK_PAGES 6903           // %1 the count
#define IDS_LOOK_CURRENT_STREAK 6904  // %1 the days
#define IDS_LOOK_LONGEST_STREAK 6905  // %1 the days

// Looking back: the windows' captions and words
#define IDS_LOOK_MONTH_CAPTION 6950
#define IDS_LOOK_YEAR_CAPTION 6951  // %1 the year
#define IDS_LOOK_BY_WEATHER 6952
#define IDS_LOOK_SAME_DAY_CAPTION 6953  // %1 the date on show
#define IDS_LOOK_SAME_DAY_YEAR 6954
#define IDS_LOOK_SAME_DAY_TEXT 6955
#define IDS_LOOK_SAME_DAY_NONE 6956

// The book of days: the footer, a day carried over to the next page
#define IDS_BOOK_PAGE 7010       // %1 the page, %2 the pages
#define IDS_BOOK_RUN 7011        // %1 the first day, %2 the last
#define IDS_BOOK_CONTINUED 7012  // %1 the day's title

// The Print window
#define IDS_PRINT_CAPTION 7200
#define IDS_PRINT_FROM 7201
#define IDS_PRINT_TO 7202
#define IDS_PRINT_ONE_A_PAGE 7203
#define IDS_PRINT_TWO_A_PAGE 7204
#define IDS_PRINT_PAPER_A4 7205
#define IDS_PRINT_PAPER_A5 7206
#define IDS_PRINT_PAPER_LETTER 7207
#define IDS_PRINT_PREVIOUS 7208
#define IDS_PRINT_NEXT 7209
#define IDS_PRINT_PRINT 7210
#define IDS_PRINT_CANCEL 7211
#define IDS_PRINT_CLOSE 7212
#define IDS_PRINT_NO_PAGES 7213
#define IDS_PRINT_PRINTING 7214  // %1 the page, %2 the pages
#define IDS_PRINT_FAILED 7215
#define IDS_PRINT_UNREADABLE 7216  // %1 the days

// Dates in words: the weekdays (Sunday first) in full and short, the months (January
// first), and the forms of a date
#define IDS_WEEKDAY_SUNDAY 7020  // + the day of week, 0 = Sunday
#define IDS_WEEKDAY_MONDAY 7021
#define IDS_WEEKDAY_TUESDAY 7022
#define IDS_WEEKDAY_WEDNESDAY 7023
#define IDS_WEEKDAY_THURSDAY 7024
#define IDS_WEEKDAY_FRIDAY 7025
#define IDS_WEEKDAY_SATURDAY 7026
#define IDS_WEEKDAY_SHORT_SUNDAY 7030  // + the day of week
#define IDS_WEEKDAY_SHORT_MONDAY 7031
#define IDS_WEEKDAY_SHORT_TUESDAY 7032
#define IDS_WEEKDAY_SHORT_WEDNESDAY 7033
#define IDS_WEEKDAY_SHORT_THURSDAY 7034
#define IDS_WEEKDAY_SHORT_FRIDAY 7035
#define IDS_WEEKDAY_SHORT_SATURDAY 7036
#define IDS_MONTH_JANUARY 7040  // + the month - 1
#define IDS_MONTH_FEBRUARY 7041
#define IDS_MONTH_MARCH 7042
#define IDS_MONTH_APRIL 7043
#define IDS_MONTH_MAY 7044
#define IDS_MONTH_JUNE 7045
#define IDS_MONTH_JULY 7046
#define IDS_MONTH_AUGUST 7047
#define IDS_MONTH_SEPTEMBER 7048
#define IDS_MONTH_OCTOBER 7049
#define IDS_MONTH_NOVEMBER 7050
#define IDS_MONTH_DECEMBER 7051
// The parts of a date form: %1 the year, %2 the month's number, %3 the day, %4 the short
// weekday, %5 the weekday in full, %6 the month's name
#define IDS_DATE_LONG 7060
#define IDS_DATE_MONTH 7061
#define IDS_DATE_PICKER_FORMAT 7062  // a date and time picker's format (DTM_SETFORMAT)

// Backups: why a snapshot was not made
#define IDS_BACKUP_FAILED 7100  // %1 the backup folder, %2 the reason
#define IDS_BACKUP_CHECK_FAILED 7101
#define IDS_BACKUP_INSIDE_DIARY 7102
#define IDS_BACKUP_LAST 7103  // %1 the time, %2 the size
#define IDS_BACKUP_NONE_YET 7104
#define IDS_BACKUP_UNDER_WAY 7105
#define IDS_BACKUP_CHOOSE_FOLDER 7106
#define IDS_BACKUP_NOT_KEPT 7107       // %1 the reason
#define IDS_BACKUP_LEFT_OUT 7108       // %1 the backup folder, %2 the files' lines
#define IDS_BACKUP_LEFT_OUT_LINE 7109  // %1 the file, %2 the reason
#define IDS_BACKUP_TOO_LARGE 7116
#define IDS_BACKUP_EMPTY_DIARY 7117
#define IDS_BACKUP_SET_ASIDE 7118   // %1 the snapshots' names, a line each
#define IDS_SETTINGS_NOT_READ 7119  // %1 the settings file, %2 the reason
#define IDS_BACKUP_FOLDER_UNKNOWN 7120
#define IDS_BACKUP_WAITING 7121
#define IDS_VERSIONS_TIME 7110
#define IDS_VERSIONS_TEXT 7111
#define IDS_VERSIONS_NONE 7112
#define IDS_VERSIONS_DAMAGED 7113  // %1 the count
#define IDS_VERSIONS_NOT_RESTORED 7114
#define IDS_VERSIONS_INCOMPLETE 7115       // %1 the snapshot's time
#define IDS_VERSIONS_DRAWING_DIFFERS 7122  // %1 the line that differs

// View menu of the menu bar and the system menu: the language the program speaks
// (Follow Windows, Japanese, English); choice = id - IDM_LANGUAGE_FIRST
#define IDM_LANGUAGE_FIRST 40090
#define IDM_LANGUAGE_LAST 40092

// The place box's names of the places, in the order of their codes
#define IDS_PLACE_FIRST 7400
#define IDS_PLACE_LAST 7407
