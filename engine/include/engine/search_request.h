// One search request of the program, as it arrives at the engine.
#ifndef QUELBRIX_SEARCH_REQUEST_H
#define QUELBRIX_SEARCH_REQUEST_H

#include "engine/platform.h"

namespace quelbrix {

enum ErrorPolicy : int {
    kPolicyAsk = 0,   // ask the user whether to go on
    kPolicySkip = 1,  // skip the failing file silently
    kPolicyStop = 2,  // end the search silently
};

struct SearchRequest {
    WindowHandle owner = nullptr;  // owns every message box of the search
    const char* folder = "";       // ends with a separator
    const char* word = "";
    const char* extensions = "";  // the Extension list; empty: all files
    bool useRegex = false;
    WindowHandle progress = nullptr;  // null: no progress display and no counting pass
    bool searchSubfolders = false;
    bool relativePaths = false;
    bool countHits = true;
    bool convertCodes = true;
    bool convertUtf8 = false;  // with convertCodes: text the detector calls UTF-8 is converted too
    int errorPolicy = kPolicyAsk;
};

}  // namespace quelbrix

#endif
