/* QuelbrixD.dll: the search engine's exported interface (ordinals 1 to 9, in this order).
   Strings are zero-terminated Shift_JIS owned by the caller; booleans are one byte, 0 for
   false. Nothing here throws, and nothing is allocated on one side and freed on the other.
   An options structure begins with its size as the caller knows it: a later version adds
   members at its end, and a member that lies past the caller's size reads as 0 (off). */
#ifndef QUELBRIX_ENGINE_H
#define QUELBRIX_ENGINE_H

/* The result list's columns (QUELBRIX_COLUMN_FILE ...) and their widths. */
#include "common/result_columns.h"

#ifdef _WIN32

#include <windows.h>
#include <commctrl.h>
#include <stddef.h>

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
   QuelbrixFindFolder is this with `convertUtf8Files` 0; both are QuelbrixSearch without folds. */
QUELBRIX_API BOOLEAN WINAPI QuelbrixFindFolderEx(HWND owner, LPCSTR folder, LPCSTR word,
                                                 LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                                 BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                                 BOOLEAN countHits, BOOLEAN convertCodes,
                                                 int errorPolicy, BOOLEAN convertUtf8Files);

/* QuelbrixGetHitLines: the lines of one file that hold hits of a word. */

/* The options; `size` is sizeof(QUELBRIX_HIT_LINE_OPTIONS) as the caller knows it, so that
   later members can be added without a new export. */
typedef struct QUELBRIX_HIT_LINE_OPTIONS {
    DWORD size;
    LPCSTR word;               /* Shift_JIS */
    BOOLEAN useRegex;
    BOOLEAN convertCodes;      /* read the file as a search with these options would */
    BOOLEAN convertUtf8Files;  /* with convertCodes */
    int contextLines;          /* lines given before and after each hit line, 0 or more */
    /* Added later; read only when `size` reaches them (an older caller's structure folds
       nothing). As QUELBRIX_SEARCH_OPTIONS has them. */
    BOOLEAN ignoreCase;
    BOOLEAN ignoreWidth;
    BOOLEAN ignoreKana;
} QUELBRIX_HIT_LINE_OPTIONS;

/* The size of the first version (up to contextLines); a smaller `size` is refused. */
#define QUELBRIX_HIT_LINE_OPTIONS_V1_SIZE \
    (offsetof(QUELBRIX_HIT_LINE_OPTIONS, contextLines) + sizeof(int))

/* A hit as bytes [start, end) of its line's text. */
typedef struct QUELBRIX_HIT_RANGE {
    DWORD start;
    DWORD end;
} QUELBRIX_HIT_RANGE;

#define QUELBRIX_LINE_ENCODING 0 /* the first call: how the file was read */
#define QUELBRIX_LINE_HIT 1      /* a line holding hits */
#define QUELBRIX_LINE_CONTEXT 2  /* a line around a hit line */

/* How the file was read, as `encoding` gives it: the detector's verdict, except that a file that
   begins with a UTF-16 byte-order mark and one unit or more and was converted (so `converted`
   is TRUE) is QUELBRIX_ENCODING_UTF16LE after FF FE, QUELBRIX_ENCODING_UTF16BE
   after FE FF. */
#define QUELBRIX_ENCODING_ASCII 0x0
#define QUELBRIX_ENCODING_JIS 0x100
#define QUELBRIX_ENCODING_SJIS 0x200
#define QUELBRIX_ENCODING_EUC 0x400
#define QUELBRIX_ENCODING_UTF16LE 0x800
#define QUELBRIX_ENCODING_UTF8 0x801
#define QUELBRIX_ENCODING_UTF7 0x802
#define QUELBRIX_ENCODING_UTF16BE 0x803 /* never the detector's: read after the mark FE FF */
#define QUELBRIX_ENCODING_UNDECIDED 0x1000
#define QUELBRIX_ENCODING_BINARY 0x2000

/* What the callback is given; valid only during the call. A line ends at LF, and a CR before
   the LF is not part of its text (lines as ^ and $ see them). */
typedef struct QUELBRIX_HIT_LINE {
    DWORD size;                      /* sizeof(QUELBRIX_HIT_LINE) */
    int kind;                        /* QUELBRIX_LINE_... */
    DWORD lineNumber;                /* 1-based; 0 for the encoding */
    DWORD offset;                    /* of the line's first byte in the searched text */
    LPCSTR text;                     /* Shift_JIS, `length` bytes, NOT zero-terminated */
    DWORD length;
    const QUELBRIX_HIT_RANGE* hits;  /* in order; none on a context line */
    DWORD hitCount;
    int encoding;                    /* QUELBRIX_ENCODING_..., on every call */
    BOOLEAN converted;               /* the text was converted to Shift_JIS before matching */
} QUELBRIX_HIT_LINE;

/* Return FALSE to be given no more lines. */
typedef BOOL(CALLBACK* QUELBRIX_HIT_LINE_PROC)(const QUELBRIX_HIT_LINE* line, LPVOID context);

/* Errors of QuelbrixGetHitLines. */
#define QUELBRIX_HITLINES_BAD_ARGUMENT (-1) /* a null pointer, a small size, negative context */
#define QUELBRIX_HITLINES_BAD_PATTERN (-2)  /* useRegex and the word is no valid expression */
#define QUELBRIX_HITLINES_NOT_OPENED (-3)   /* missing, locked, or not a file */
#define QUELBRIX_HITLINES_NOT_READ (-4)     /* reading failed, or 4 GiB or more */
#define QUELBRIX_HITLINES_NO_MEMORY (-5)
#define QUELBRIX_HITLINES_NOT_CONVERTED (-6)
#define QUELBRIX_HITLINES_FAILED (-7)       /* anything else */

/* Reads `path` as a search would, calls `proc` once with the encoding and then once per hit or
   context line, in order, and returns the number of hits on the lines given (0 or more), or
   one of the errors above; it never shows a message. The pattern and buffers are its own, so
   it may be called while a search runs (from a message that search dispatches) and from any
   thread; `proc` is called on the calling thread. */
QUELBRIX_API int WINAPI QuelbrixGetHitLines(LPCSTR path, const QUELBRIX_HIT_LINE_OPTIONS* options,
                                            QUELBRIX_HIT_LINE_PROC proc, LPVOID context);

/* QuelbrixSearch: one search with every option in one structure. */

/* The options of a search; `size` is sizeof(QUELBRIX_SEARCH_OPTIONS) as the caller knows it.
   A later option becomes a new member at the end, never a new export; members that lie past
   the caller's `size` read as 0, which is off for every flag. */
typedef struct QUELBRIX_SEARCH_OPTIONS {
    DWORD size;
    HWND owner;                /* owns every message box of the search; its thread's messages
                                  are dispatched during the walk */
    LPCSTR folder;             /* ends with a backslash */
    LPCSTR word;               /* Shift_JIS */
    LPCSTR extensions;         /* comma-separated, without dots; empty: all files */
    BOOLEAN useRegex;
    HWND progress;             /* NULL: no progress bar and no counting pass */
    BOOLEAN searchSubfolders;
    BOOLEAN relativePaths;     /* list paths below `folder` */
    BOOLEAN countHits;         /* count every hit and show the count */
    BOOLEAN convertCodes;      /* detect and convert kanji codes before matching */
    int errorPolicy;           /* a file that cannot be read: 0 ask, 1 skip it, 2 stop */
    BOOLEAN convertUtf8Files;  /* with convertCodes: UTF-8 text is converted too */
    /* What matching the word ignores. */
    BOOLEAN ignoreCase;        /* upper and lower case (A a, Ａ ａ) */
    BOOLEAN ignoreWidth;       /* full-width and half-width forms (Ａ A, ﾃﾞ デ) */
    BOOLEAN ignoreKana;        /* hiragana and katakana (で デ) */
    /* Added after the first version. */
    LPCSTR excludeFolders;     /* folder-name patterns (* and ?) separated by ';' that the walk
                                  never enters; NULL or empty: none */
    BOOLEAN noPause;           /* no 1 ms pause after each entry (messages are still
                                  dispatched) */
} QUELBRIX_SEARCH_OPTIONS;

/* The size of the first version (up to ignoreKana); a smaller `size` is refused. */
#define QUELBRIX_SEARCH_OPTIONS_V1_SIZE \
    (offsetof(QUELBRIX_SEARCH_OPTIONS, ignoreKana) + sizeof(BOOLEAN))

/* Runs one search as QuelbrixFindFolderEx does, with the options of `options`. Returns TRUE
   when the walk ran to its end, FALSE when it ended early; a null `options` or a `size` below
   QUELBRIX_SEARCH_OPTIONS_V1_SIZE is refused with FALSE, and nothing is searched. */
QUELBRIX_API BOOLEAN WINAPI QuelbrixSearch(const QUELBRIX_SEARCH_OPTIONS* options);

#ifdef __cplusplus
}
#endif

#endif /* _WIN32 */

#endif
