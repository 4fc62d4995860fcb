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

// The most threads a search matches files on; a larger number asked for is taken as this.
constexpr unsigned kMaxSearchThreads = 256;

// FindFolder with the files read, converted and matched on `threads` threads while one more
// walks the tree. Everything the caller sees happens on the calling thread, in walk order, as
// FindFolder shows it: the same rows, hit lines, boxes, progress steps, counts and answer, and
// nothing found past the file that ends the search. Unlike FindFolder it dispatches no
// message and makes no pause after each entry, so it suits callers without a message queue
// (the command line); a stop request made from a box's own message loop is still honoured
// after that file. `threads` up to 1 is FindFolder itself.
bool FindFolderOnThreads(EngineState& state, Platform& platform, const SearchRequest& request,
                         unsigned threads);

// Adds to `total` the candidate files of `folder` for one extension item, leaving out the
// folders whose names match `excludeFolders` as the search does.
void CountCandidates(FileSystem& files, const char* folder, const char* item, bool searchSubfolders,
                     const char* excludeFolders, std::uint32_t& total);

// Asks a running search to stop at its next check, and tells the user.
void RequestStop(EngineState& state, Platform& platform, WindowHandle owner, WindowHandle progress);

}  // namespace quelbrix

#endif
