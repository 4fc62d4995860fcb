#include "file_text.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "engine/convert_stage.h"

namespace quelbrix {

namespace {

// The file's bytes through a mapping, when it is big enough for one and its platform makes
// one; null otherwise.
const char* MapWhole(OpenFile& file, std::uint64_t size, const TextOptions& options,
                     MatchBuffers& buffers) {
    if (size < options.mapFrom) return nullptr;
    buffers.mapped = file.Map();
    if (!buffers.mapped) return nullptr;
    if (buffers.mapped->Size() != size) {  // not the file that was measured
        buffers.mapped.reset();
        return nullptr;
    }
    return buffers.mapped->Data();
}

}  // namespace

TextOutcome ReadFileText(FileSystem& files, const char* path, const TextOptions& options,
                         MatchBuffers& buffers, FileText& text, FileFacts& facts, char* errorText,
                         std::size_t errorTextSize) {
    buffers.mapped.reset();  // an earlier file's, should it still be held
    if (errorTextSize > 0) errorText[0] = '\0';
    std::unique_ptr<OpenFile> file = files.OpenForReading(path, errorText, errorTextSize);
    if (!file) return TextOutcome::kNotOpened;

    facts.opened = true;
    facts.size = file->Size();
    if (options.wantTime) facts.timeKnown = file->LastWriteUtc(facts.lastWrite);

    // The size is carried in 32 bits; a larger file would be read short without notice.
    if (facts.size > std::numeric_limits<std::uint32_t>::max()) return TextOutcome::kNotRead;
    const std::uint32_t length = static_cast<std::uint32_t>(facts.size);
    const char* buffer = MapWhole(*file, facts.size, options, buffers);
    std::uint32_t delivered = length;
    if (buffer == nullptr) {
        char* read = nullptr;
        if (static_cast<std::uint64_t>(length) < std::numeric_limits<std::size_t>::max())
            read = buffers.read.Reserve(static_cast<std::size_t>(length) + 1);
        if (read == nullptr) return TextOutcome::kOutOfMemory;
        delivered = 0;
        const bool readOk = length == 0 || file->Read(read, length, delivered);
        if (!readOk) return TextOutcome::kNotRead;
        delivered = std::min(delivered, length);
        read[delivered] = '\0';
        buffer = read;
    }
    file.reset();

    text.text = buffer;
    text.length = delivered;
    text.encoding = FileEncoding{};
    if (!options.convertCodes) {
        if (options.alwaysDetect) text.encoding.verdict = DetectEncoding(buffer, delivered);
        text.encoding.readAs = text.encoding.verdict;
        return TextOutcome::kRead;
    }
    const ConvertResult converted =
        ConvertStage(buffer, delivered, buffers.converted,
                     options.convertUtf8 ? Utf8Files::kConvert : Utf8Files::kMatchAsRead);
    text.encoding.verdict = converted.code;
    text.encoding.readAs = converted.readAs;
    switch (converted.outcome) {
    case ConvertOutcome::kNoConversion:
        return TextOutcome::kRead;
    case ConvertOutcome::kConverted:
        buffers.mapped.reset();  // the converted text is all that is matched
        text.text = converted.text;
        text.length = converted.length;
        text.encoding.converted = true;
        return TextOutcome::kRead;
    case ConvertOutcome::kOutOfMemory:
        return TextOutcome::kOutOfMemory;
    default:
        return TextOutcome::kNotConverted;
    }
}

}  // namespace quelbrix
