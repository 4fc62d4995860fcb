// The search driver: splits the Extension list, sizes the progress bar, walks the folder tree
// once per item, hands every candidate file to the matcher and lists the files with hits.
#ifndef QUELBRIX_SEARCH_DRIVER_H
#define QUELBRIX_SEARCH_DRIVER_H

#include <cstdint>

#include "engine/engine_state.h"
#include "engine/platform.h"
#include "engine/search_request.h"

namespace quelbrix {

// Runs one search. True when the walk ran to its end and the summary was shown; false when it
// was stopped or a failing file ended it.
bool FindFolder(EngineState& state, Platform& platform, const SearchRequest& request);

// Adds to `total` the candidate files of `folder` for one extension item, leaving out the
// folders whose names match `excludeFolders` as the search does.
void CountCandidates(FileSystem& files, const char* folder, const char* item, bool searchSubfolders,
                     const char* excludeFolders, std::uint32_t& total);

// Asks a running search to stop at its next check, and tells the user.
void RequestStop(EngineState& state, Platform& platform, WindowHandle owner, WindowHandle progress);

}  // namespace quelbrix

#endif
