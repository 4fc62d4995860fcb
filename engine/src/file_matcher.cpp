#include "file_matcher.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "engine/bounded_text.h"
#include "engine/convert_stage.h"
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

void FormatTime(OpenFile& file, char* timeText) {
    CalendarTime time{};
    if (!file.LastWriteUtc(time)) time = CalendarTime{};
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
    pattern.Read(request.word, request.useRegex);
    MatchBuffers buffers;
    return SearchFile(platform, request, pattern, buffers, path, fileSize, timeText);
}

int SearchFile(Platform& platform, const SearchRequest& request, CGrexmo& pattern,
               MatchBuffers& buffers, const char* path, std::uint32_t& fileSize, char* timeText) {
    char systemText[kTextBufferSize];
    systemText[0] = '\0';
    std::unique_ptr<OpenFile> file =
        platform.files.OpenForReading(path, systemText, sizeof systemText);
    if (!file) {
        platform.ui.DebugOutput(systemText);
        return ResolveFailure(platform, request, path, kMsgFileNotFound);
    }

    const std::uint64_t size = file->Size();
    fileSize = static_cast<std::uint32_t>(size);
    if (timeText != nullptr) FormatTime(*file, timeText);

    // The size is carried in 32 bits; a larger file would be read short without notice.
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        file.reset();
        return ResolveFailure(platform, request, path, kMsgReadFailed);
    }
    const std::uint32_t length = static_cast<std::uint32_t>(size);
    char* buffer = nullptr;
    if (static_cast<std::uint64_t>(length) < std::numeric_limits<std::size_t>::max())
        buffer = buffers.read.Reserve(static_cast<std::size_t>(length) + 1);
    if (buffer == nullptr) {
        file.reset();
        return ResolveFailure(platform, request, path, kMsgOutOfMemory);
    }

    std::uint32_t delivered = 0;
    bool readOk = length == 0 || file->Read(buffer, length, delivered);
    file.reset();
    if (!readOk) return ResolveFailure(platform, request, path, kMsgReadFailed);
    delivered = std::min(delivered, length);
    buffer[delivered] = '\0';

    const char* text = buffer;
    if (request.convertCodes) {
        const ConvertResult converted =
            ConvertStage(buffer, delivered, buffers.converted,
                         request.convertUtf8 ? Utf8Files::kConvert : Utf8Files::kMatchAsRead);
        switch (converted.outcome) {
        case ConvertOutcome::kNoConversion:
            break;
        case ConvertOutcome::kConverted:
            text = converted.text;
            break;
        case ConvertOutcome::kOutOfMemory:
            return ResolveFailure(platform, request, path, kMsgOutOfMemory);
        case ConvertOutcome::kFailed:
            return ResolveFailure(platform, request, path, kMsgConversionFailed);
        }
    }

    return CountHits(pattern, text, request.countHits);
}

}  // namespace quelbrix
