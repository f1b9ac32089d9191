// Identifiers of resources, commands and controls. Included by the resource
// script and by the code, so it holds only preprocessor definitions.
#ifndef JOTWELL_RESOURCES_RESOURCE_H
#define JOTWELL_RESOURCES_RESOURCE_H

// Dialog templates with numbers; the others are named by their class names.
#define IDD_MAIN              1
#define IDD_BOOK_PRINT        2
#define IDD_FIND              4
#define IDD_BOOK_PROPERTIES   5
#define IDD_DIARY_PROPERTIES  6
#define IDD_SEARCH            7

// Menus.
#define IDM_MAIN              1
#define IDM_NOTE_LIST         2
#define IDM_STATUS_BAR        3
#define IDM_TRAY              4
#define IDM_NOTE_TEXT         5

// Icons and bitmaps.
#define IDI_JOTWELL           1
#define IDB_LOGO              1
#define IDB_NOTE_NEW          2
#define IDB_NOTE_DELETE       3
#define IDB_BOOK_NEW          4
#define IDB_FIND              5

// The icon and the bitmaps at 125, 150 and 200 percent follow their own id
// at steps of this many (dialogs/dpiscale.h).
#define ID_SCALE_STEP         16

// Commands.
#define CM_NOTE_NEW           1001
#define CM_NOTE_DELETE        1002
#define CM_BOOK_NEW_LOCAL     1003
#define CM_BOOK_NEW_SHARED    1004
#define CM_BOOK_REMOVE        1005
#define CM_BOOK_EXPLORE       1006
#define CM_HOTKEY_ENABLE      1007
#define CM_HOTKEY_CHANGE      1008
#define CM_CLOSE              1009
#define CM_EXIT               1010
#define CM_OPEN               1011
#define CM_UNDO               1012
#define CM_CUT                1013
#define CM_COPY               1014
#define CM_PASTE              1015
#define CM_CLEAR              1016
#define CM_SELECT_ALL         1017
#define CM_FIND               1018
#define CM_FIND_NEXT          1019
#define CM_HELP_CONTENTS      2001
#define CM_WEB_FIRST          2002
#define CM_WEB_HOMEPAGE       2002
#define CM_WEB_SUPPORT        2003
#define CM_WEB_LAST           2013
#define CM_HELP_ABOUT         2014
#define CM_NOTE_PRINT         2015
#define CM_BOOK_PRINT         2016
#define CM_BOOK_PROPERTIES    2017
#define CM_BOOK_NEW_LOCAL_DIARY 2018

// The search of every book.
#define CM_SEARCH_ALL         2030

// Standard dialog buttons; Help is 9 throughout.
#define IDC_HELP_BUTTON       9

// Main window controls.
#define IDC_TOOLBAR           89
#define IDC_BOOKS             101
#define IDC_NOTES             102
#define IDC_NOTE_TEXT         103
#define IDC_NOTE_NAME         104
#define IDC_STATUS            107

// Progress dialog.
#define IDC_PROGRESS_TEXT0    100
#define IDC_PROGRESS_TEXT1    101
#define IDC_PROGRESS_BAR      102
#define IDC_PROGRESS_ICON     103

// About box: the logo panel.
#define IDC_ABOUT_LOGO        999

// Text prompt.
#define IDC_PROMPT_EDIT       100
#define IDC_PROMPT_TEXT       101

// Print Book.
#define IDC_PRINT_PAGE_BREAKS 101
#define IDC_PRINT_NO_BREAKS   102

// Find.
#define IDC_FIND_TEXT         101
#define IDC_FIND_MATCH_CASE   102
#define IDC_FIND_CURRENT_NOTE 103
#define IDC_FIND_ALL_NOTES    104

// Search of every book.
#define IDC_SEARCH_TEXT       101
#define IDC_SEARCH_MATCH_CASE 102
#define IDC_SEARCH_RESULTS    103
#define IDC_SEARCH_STATUS     104

// Book Properties.
#define IDC_BOOK_FOLDER       101
#define IDC_BOOK_BROWSE       102
#define IDC_BOOK_READ_ONLY    103
#define IDC_BOOK_TEMPLATE     105

// Diary Properties.
#define IDC_DIARY_WEEK        101
#define IDC_DIARY_DAY         102
#define IDC_DIARY_COUNT       103
#define IDC_DIARY_FROM        104
#define IDC_DIARY_TO          105
#define IDC_DIARY_COUNT_LABEL 106

// Licence page.
#define IDC_LICENCE_AGREE     101
#define IDC_LICENCE_DECLINE   102
#define IDC_LICENCE_TEXT      103

// Tray icon and its notification message (WM_USER + 20).
#define TRAY_ICON_ID          24
#define WM_TRAYNOTIFY         (0x0400 + 20)

// Posted when the end of the session was refused for a note that cannot be
// saved (WM_USER + 21).
#define WM_SAVEFAILURE        (0x0400 + 21)

// Help contexts.
#define HELP_CONTEXT_DIARY_PROPERTIES 102
#define HELP_CONTEXT_BOOK_PROPERTIES  103

// Kept versions and deleted notes: their two windows, commands and
// controls, and the message by which a version that could not be kept is
// told (WM_USER + 22).
#define IDD_NOTE_HISTORY      8
#define IDD_RESTORE_DELETED   9
#define CM_NOTE_HISTORY       2019
#define CM_RESTORE_DELETED    2020
#define IDC_HISTORY_LIST      101
#define IDC_HISTORY_TEXT      102
#define IDC_HISTORY_COPY      103
#define IDC_HISTORY_INFO      104
#define IDC_DELETED_LIST      101
#define IDC_DELETED_INFO      102
#define WM_HISTORYFAILURE     (0x0400 + 22)

// Posted by the watch of the current book's folder at a change (WM_USER + 23).
#define WM_FOLDERCHANGED      (0x0400 + 23)

#endif
