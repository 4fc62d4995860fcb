/* QuelbrixD.dll: the search engine's exported interface (ordinals 1 to 7, in this order).
   Strings are zero-terminated Shift_JIS owned by the caller; booleans are one byte, 0 for
   false. Nothing here throws, and nothing is allocated on one side and freed on the other. */
#ifndef QUELBRIX_ENGINE_H
#define QUELBRIX_ENGINE_H

/* The result list's columns (QUELBRIX_COLUMN_FILE ...) and their widths. */
#include "common/result_columns.h"

#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>

#if defined(QUELBRIX_ENGINE_BUILD)
#define QUELBRIX_API
#else
#define QUELBRIX_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* 111: the engine version in hundredths (1.11). */
QUELBRIX_API int WINAPI QuelbrixGetVer(void);

/* 0 for a release, otherwise the beta number. */
QUELBRIX_API int WINAPI QuelbrixGetBeta(void);

/* Records `list` as the result list and creates its four columns (file, size, time, count).
   The widths come in the order file, count, size, time. Call once, before any search. */
QUELBRIX_API BOOL WINAPI QuelbrixInitListView(HWND list, int nameWidth, int countWidth,
                                              int sizeWidth, int timeWidth);

/* Runs one search synchronously, dispatching one message of the calling thread after every
   folder entry. `folder` ends with a backslash; `extensions` is the comma-separated list of
   extensions without dots (empty: all files); `progress` may be NULL (then no counting pass);
   `errorPolicy`: 0 ask, 1 skip the file, 2 stop. TRUE when the walk ran to its end. */
QUELBRIX_API BOOLEAN WINAPI QuelbrixFindFolder(HWND owner, LPCSTR folder, LPCSTR word,
                                               LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                               BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                               BOOLEAN countHits, BOOLEAN convertCodes,
                                               int errorPolicy);

/* Sorts the result list on a column click (LVN_COLUMNCLICK): a new column descending, the
   same column again in the other direction. */
QUELBRIX_API BOOL WINAPI QuelbrixSort(NMLISTVIEW* notification);

/* Asks the running search to stop, tells the user, and resets `progress` (may be NULL). */
QUELBRIX_API BOOL WINAPI QuelbrixFindStop(HWND owner, HWND progress);

/* QuelbrixFindFolder with one more option: when `convertUtf8Files` is not 0 (and `convertCodes`
   is not 0), text the engine recognises as UTF-8 is converted to Shift_JIS before matching.
   QuelbrixFindFolder is this with `convertUtf8Files` 0. */
QUELBRIX_API BOOLEAN WINAPI QuelbrixFindFolderEx(HWND owner, LPCSTR folder, LPCSTR word,
                                                 LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                                 BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                                 BOOLEAN countHits, BOOLEAN convertCodes,
                                                 int errorPolicy, BOOLEAN convertUtf8Files);

#ifdef __cplusplus
}
#endif

#endif /* _WIN32 */

#endif
