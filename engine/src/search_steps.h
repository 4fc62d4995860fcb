// The steps of a search that every driver takes the same way, whether the files are matched
// on the calling thread or on others: the start, the walk of one extension item, each
// candidate's turn in walk order, and the summary.
#ifndef QUELBRIX_SEARCH_STEPS_H
#define QUELBRIX_SEARCH_STEPS_H

#include <cstdint>
#include <vector>

#include "engine/engine_state.h"
#include "engine/platform.h"
#include "engine/search_request.h"
#include "extension_list.h"
#include "folder_walk.h"

namespace quelbrix {

// Clears the state and the list, sizes the progress bar (the counting pass) when there is
// one, and returns the extension items to walk.
std::vector<ExtensionItem> StartSearch(EngineState& state, Platform& platform,
                                       const SearchRequest& request);

// The walk of the request's folder for one item: the one way the search passes walk.
bool WalkRequestFolder(FileSystem& files, const SearchRequest& request, FolderVisitor& visitor);

// The search pass on the calling thread: every item walked, every candidate matched, shown
// and listed in turn, one message dispatched and a pause after each entry. False when it was
// stopped or a failing file ended it.
bool SearchItems(EngineState& state, Platform& platform, const SearchRequest& request,
                 const std::vector<ExtensionItem>& items);

// A candidate's turn comes, before its file is resolved: it is counted and the bar steps.
void BeginCandidate(EngineState& state, Platform& platform, const SearchRequest& request);

// The candidate's answer from SearchFile: false for kStopSearch; a file with hits is listed.
bool EndCandidate(EngineState& state, Platform& platform, const SearchRequest& request,
                  const char* path, int hits, std::uint32_t fileSize, const char* timeText);

// The box that ends a search that ran to its end.
void ShowSummary(EngineState& state, Platform& platform, const SearchRequest& request);

}  // namespace quelbrix

#endif
