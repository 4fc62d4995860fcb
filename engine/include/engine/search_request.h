// One search request of the program, as it arrives at the engine.
#ifndef QUELBRIX_SEARCH_REQUEST_H
#define QUELBRIX_SEARCH_REQUEST_H

#include "common/error_policy.h"
#include "engine/platform.h"

namespace quelbrix {
class HitLineSink;
}

namespace quelbrix {

struct SearchRequest {
    WindowHandle owner = nullptr;  // owns every message box of the search
    const char* folder = "";       // ends with a separator
    const char* word = "";
    const char* extensions = "";  // the Extension list; empty: all files
    bool useRegex = false;
    unsigned folds = 0;  // GrexmoFold values: what the word's matching ignores (case, width, kana)
    WindowHandle progress = nullptr;  // null: no progress display and no counting pass
    bool searchSubfolders = false;
    // Folder-name patterns (* and ?, ASCII letters without case) separated by ';': folders the
    // walk and the counting pass never enter. Empty: none.
    const char* excludeFolders = "";
    bool relativePaths = false;
    bool countHits = true;
    bool convertCodes = true;
    bool convertUtf8 = false;  // with convertCodes: text the detector calls UTF-8 is converted too
    // After each directory entry the walk dispatches one message and, unless this is off, pauses
    // 1 ms so the caller's thread shares the processor.
    bool pauseAfterEntries = true;
    ErrorPolicy errorPolicy = ErrorPolicy::kAsk;  // as it came, even a value of none of the three
    // When set, every file read is handed to it with its hit lines (BeginFile, Line..., EndFile)
    // in the walk's order, before its row is listed; the file's count is that of its lines, and
    // its encoding is detected even when convertCodes is off.
    HitLineSink* hitLines = nullptr;
    int contextLines = 0;  // with hitLines: up to this many lines before and after each hit line
};

}  // namespace quelbrix

#endif
