#include "file_matcher.h"

#include <algorithm>

#include "engine/bounded_text.h"
#include "engine/hit_lines.h"
#include "grexmo/grexmo.h"
#include "hit_counter.h"
#include "messages.h"

namespace quelbrix {

namespace {

int ResolveFailure(Platform& platform, const SearchRequest& request, const char* path,
                   int messageId) {
    switch (request.errorPolicy) {
    case ErrorPolicy::kAsk:
        return ShowFileError(platform, request.owner, request.progress, path, messageId) ==
                       BoxAnswer::kYes
                   ? 0
                   : kStopSearch;
    case ErrorPolicy::kSkip:
        return 0;
    case ErrorPolicy::kStop:
        return kStopSearch;
    default:
        // A hand-edited policy: say so and end the search rather than guess.
        platform.ui.ShowBox(request.owner, kStrayPolicyText, kStrayPolicyCaption,
                            BoxKind::kErrorNotice);
        return kStopSearch;
    }
}

void FormatTime(const FileFacts& facts, char* timeText) {
    const CalendarTime time = facts.timeKnown ? facts.lastWrite : CalendarTime{};
    FormatBounded(timeText, kTimeTextSize, "%.4d/%.2d/%.2d %.2d:%.2d:%.2d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
}

}  // namespace

BoxAnswer ShowFileError(Platform& platform, WindowHandle owner, WindowHandle progress,
                        const char* path, int messageId) {
    char question[kTextBufferSize];
    char reason[kErrorTextBufferSize];
    platform.ui.LoadText(kMsgErrorQuestion, question, sizeof question);
    platform.ui.LoadText(messageId, reason, sizeof reason);
    char text[kTextBufferSize];
    FormatLoaded(text, sizeof text, question, path, reason);
    BoxAnswer answer = platform.ui.ShowBox(owner, text, kEngineCaption, BoxKind::kErrorQuestion);
    if (answer == BoxAnswer::kNo && progress != nullptr) platform.progress.SetPosition(progress, 0);
    return answer;
}

int SearchFile(Platform& platform, const SearchRequest& request, const char* path,
               std::uint32_t& fileSize, char* timeText) {
    CGrexmo pattern;
    pattern.Read(request.word, request.useRegex, request.folds);
    MatchBuffers buffers;
    return SearchFile(platform, request, pattern, buffers, path, fileSize, timeText);
}

void MatchFile(FileSystem& files, const SearchRequest& request, CGrexmo& pattern,
               MatchBuffers& buffers, const char* path, bool wantTime, HitLineSink* sink,
               FileMatch& match) {
    match = FileMatch{};
    TextOptions options;
    options.convertCodes = request.convertCodes;
    options.convertUtf8 = request.convertUtf8;
    options.alwaysDetect = request.hitLines != nullptr;
    options.wantTime = wantTime;
    FileText text;
    FileFacts facts;
    match.outcome = ReadFileText(files, path, options, buffers, text, facts, match.systemText,
                                 sizeof match.systemText);
    match.opened = facts.opened;
    if (facts.opened) {
        match.fileSize = static_cast<std::uint32_t>(facts.size);
        if (wantTime) FormatTime(facts, match.timeText);
    }
    if (match.outcome != TextOutcome::kRead) return;

    if (sink == nullptr) {
        match.hits = CountHits(pattern, text.text, text.length, request.countHits);
        return;
    }
    sink->BeginFile(path, text.encoding);
    const HitLineCount count =
        ListHitLines(pattern, text.text, text.length, request.contextLines, *sink);
    sink->EndFile(text.length, count.hits);
    match.hits = count.hits;
}

int ResolveFileMatch(Platform& platform, const SearchRequest& request, const char* path,
                     const FileMatch& match) {
    switch (match.outcome) {
    case TextOutcome::kRead:
        break;
    case TextOutcome::kNotOpened:
        platform.ui.DebugOutput(match.systemText);
        return ResolveFailure(platform, request, path, kMsgFileNotFound);
    case TextOutcome::kNotRead:
        return ResolveFailure(platform, request, path, kMsgReadFailed);
    case TextOutcome::kOutOfMemory:
        return ResolveFailure(platform, request, path, kMsgOutOfMemory);
    case TextOutcome::kNotConverted:
        return ResolveFailure(platform, request, path, kMsgConversionFailed);
    }
    // Counting off: any hit is one, whether counted by lines or found once.
    return request.countHits ? match.hits : std::min(match.hits, 1);
}

int SearchFile(Platform& platform, const SearchRequest& request, CGrexmo& pattern,
               MatchBuffers& buffers, const char* path, std::uint32_t& fileSize, char* timeText) {
    FileMatch match;
    MatchFile(platform.files, request, pattern, buffers, path, timeText != nullptr,
              request.hitLines, match);
    if (match.opened) {
        fileSize = match.fileSize;
        if (timeText != nullptr) CopyBounded(timeText, kTimeTextSize, match.timeText);
    }
    return ResolveFileMatch(platform, request, path, match);
}

}  // namespace quelbrix
