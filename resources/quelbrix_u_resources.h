// Resource and control numbers of the program QuelbrixU (shared by its .rc file and its code).
#pragma once

#define IDI_QUELBRIXU 1

#define IDD_MAIN 103

#define IDC_RESULT_LIST 1000
#define IDC_HELP_BUTTON 1001
#define IDC_BROWSE 1002
#define IDC_SETTINGS 1003
#define IDC_SUBFOLDERS 1005
#define IDC_REGEX 1006
#define IDC_SAVE 1007
#define IDC_STOP 1017
#define IDC_STATUS_BOX 1019
#define IDC_PROGRESS 1020
#define IDC_FOLDER 1034
#define IDC_WORD 1035

#define IDS_NO_FOLDER 111
#define IDS_NO_WORD 112
#define IDS_CONFIRM_DELETE 113
#define IDS_DELETED 114
#define IDS_SENDTO_REGISTERED 115
#define IDS_SENDTO_REMOVED 116
#define IDS_SENDTO_MISSING 117
#define IDS_CONFIRM_CLEAR_PATHS 118
#define IDS_PATHS_CLEARED 119
#define IDS_CONFIRM_CLEAR_WORDS 120
#define IDS_WORDS_CLEARED 121
#define IDS_NO_MEMORY 122
#define IDS_CREATE_FAILED 123
#define IDS_WRITE_FAILED 124
#define IDS_NOTHING_TO_SAVE 125
#define IDS_FOLDER_TOO_LONG 126
#define IDS_DELETE_FAILED 127

// Popup menu entries of the result list; each entry's text is the string numbered id + 100.
#define IDM_OPEN_FILE 100
#define IDM_DELETE_FILE 101
#define IDM_OPEN_FOLDER 102
#define IDM_SEPARATOR 103
#define IDM_PROPERTIES 104
#define IDS_MENU_TEXT_OFFSET 100

// Bitmaps of the popup menu entries (16 x 16, 256 colours).
#define IDB_OPEN_FILE 104
#define IDB_DELETE_FILE 105
#define IDB_OPEN_FOLDER 106
#define IDB_PROPERTIES 107
