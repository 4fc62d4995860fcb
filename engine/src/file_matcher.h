// The file matcher: reads one candidate file whole, converts it when asked, and counts the
// hits of the word in it. Every failure is resolved by the request's error policy.
#ifndef QUELBRIX_FILE_MATCHER_H
#define QUELBRIX_FILE_MATCHER_H

#include <cstddef>
#include <cstdint>

#include "engine/platform.h"
#include "engine/search_request.h"
#include "file_text.h"
#include "grexmo/grexmo.h"
#include "messages.h"

namespace quelbrix {

// Answer of SearchFile that ends the whole search.
constexpr int kStopSearch = -1;

// "YYYY/MM/DD hh:mm:ss" and its terminator.
constexpr std::size_t kTimeTextSize = 20;

// Returns the hit count (1 for any hit when counting is off), 0 for no hit or a skipped file,
// or kStopSearch. `fileSize` (low 32 bits) and `timeText` (unless null; at least
// kTimeTextSize bytes) are written as soon as the file is open.
int SearchFile(Platform& platform, const SearchRequest& request, const char* path,
               std::uint32_t& fileSize, char* timeText);

// The same with the request's word already compiled into `pattern` and the buffers of the
// search, so a search compiles the word once and allocates rarely. With request.hitLines the
// file and its hit lines are handed to that sink, and the count is that of the lines.
int SearchFile(Platform& platform, const SearchRequest& request, CGrexmo& pattern,
               MatchBuffers& buffers, const char* path, std::uint32_t& fileSize, char* timeText);

// What reading and matching one file found, before anything is shown or listed.
struct FileMatch {
    TextOutcome outcome = TextOutcome::kRead;
    bool opened = false;        // fileSize and timeText hold the file's
    std::uint32_t fileSize = 0;  // low 32 bits
    char timeText[kTimeTextSize] = "";
    // kRead: the hits found (with a sink, those of the lines it was given).
    int hits = 0;
    char systemText[kTextBufferSize] = "";  // kNotOpened: the system's reason
};

// Reads, converts and matches `path`, and hands the file and its hit lines to `sink` unless
// it is null. Touches only the file system, the pattern, the buffers and the sink, never the
// user interface, so it may run on any thread that owns these.
void MatchFile(FileSystem& files, const SearchRequest& request, CGrexmo& pattern,
               MatchBuffers& buffers, const char* path, bool wantTime, HitLineSink* sink,
               FileMatch& match);

// SearchFile's answer for a matched file, on the thread that shows the search: a failure is
// written to the debugger output (the system's reason for an open failure) and resolved by
// the error policy, which may ask; otherwise the hit count as the row shows it.
int ResolveFileMatch(Platform& platform, const SearchRequest& request, const char* path,
                     const FileMatch& match);

// The Yes/No question about a failing file; on No the progress bar goes back to 0.
BoxAnswer ShowFileError(Platform& platform, WindowHandle owner, WindowHandle progress,
                        const char* path, int messageId);

}  // namespace quelbrix

#endif
