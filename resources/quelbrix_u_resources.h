// Resource and control numbers of the program QuelbrixU (shared by its .rc file and its code).
#pragma once

#define IDI_QUELBRIXU 1

#define IDD_MAIN 103
#define IDD_VERSION_PAGE 108
#define IDD_GENERAL_PAGE 109
#define IDD_EXTENSIONS_PAGE 110
#define IDD_OTHER_PAGE 112
#define IDD_PREVIEW_PAGE 140

#define IDC_RESULT_LIST 1000
#define IDC_HELP_BUTTON 1001
#define IDC_BROWSE 1002
#define IDC_SETTINGS 1003
#define IDC_SUBFOLDERS 1005
#define IDC_REGEX 1006
#define IDC_SAVE 1007
// What matching the word ignores: case, width, hiragana and katakana.
#define IDC_IGNORE_CASE 1008
#define IDC_IGNORE_WIDTH 1009
#define IDC_IGNORE_KANA 1010
#define IDC_STOP 1017
#define IDC_STATUS_BOX 1019
#define IDC_PROGRESS 1020
#define IDC_FOLDER 1034
#define IDC_WORD 1035
// The preview pane below the list, made by the program rather than the template.
#define IDC_PREVIEW_PANE 1040

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
#define IDS_SENDTO_FAILED 128
#define IDS_BAD_PATTERN 129
#define IDS_NO_PROGRAM 130
#define IDS_EDITOR_FAILED 131

// Settings sheet, General page (dialog 109), section [whole].
#define IDC_GENERAL_BROWSE 1001
#define IDC_GENERAL_PROGRAM_PATH 1002
#define IDC_GENERAL_RELATIVE 1004
#define IDC_GENERAL_HIDE_PROGRESS 1005
#define IDC_GENERAL_HIDE_COUNT 1006
#define IDC_GENERAL_NO_CONVERSION 1007
#define IDC_GENERAL_ASSOCIATED 1008
#define IDC_GENERAL_USER_PROGRAM 1009
#define IDC_GENERAL_ERROR_ASK 1010
#define IDC_GENERAL_ERROR_SKIP 1011
#define IDC_GENERAL_ERROR_STOP 1012
#define IDC_GENERAL_NO_PAUSE 1013

// Extensions page (dialog 110), section [type]: row i (1 to 11) is check box
// IDC_EXTENSIONS_CHECK + i and edit box IDC_EXTENSIONS_TEXT + i.
#define IDC_EXTENSIONS_ALL_FILES 1008
#define IDC_EXTENSIONS_CUSTOM 1009
#define IDC_EXTENSIONS_CHECK 2000
#define IDC_EXTENSIONS_TEXT 2100
// Below the rows: the folder names the search never enters ([type] exclude).
#define IDC_EXTENSIONS_EXCLUDE_LABEL 2200
#define IDC_EXTENSIONS_EXCLUDE 2201

// Other page (dialog 112).
#define IDC_OTHER_UNREGISTER 1001
#define IDC_OTHER_REGISTER 1002
#define IDC_OTHER_CLEAR_WORDS 1003
#define IDC_OTHER_CLEAR_PATHS 1034
#define IDC_OTHER_UTF8_FILES 1004

// Preview page (dialog 140), section [preview]: the editor that opens a preview line, the
// lines shown around each hit, and whether the preview is shown.
#define IDC_PREVIEW_BROWSE 1001
#define IDC_PREVIEW_EDITOR 1002
#define IDC_PREVIEW_ARGUMENTS 1003
#define IDC_PREVIEW_CONTEXT 1004
#define IDC_PREVIEW_CONTEXT_SPIN 1005
#define IDC_PREVIEW_HIDE 1006

// Version page (dialog 108).
#define IDC_VERSION_WEB 1001
#define IDC_VERSION_MAIL 1003
#define IDC_VERSION_TEXT 1020

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
// The same pictures drawn at 24 x 24 (150 %) and 32 x 32 (200 %), in the same order.
#define IDB_OPEN_FILE_24 124
#define IDB_DELETE_FILE_24 125
#define IDB_OPEN_FOLDER_24 126
#define IDB_PROPERTIES_24 127
#define IDB_OPEN_FILE_32 134
#define IDB_DELETE_FILE_32 135
#define IDB_OPEN_FOLDER_32 136
#define IDB_PROPERTIES_32 137
