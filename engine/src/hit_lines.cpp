#include "engine/hit_lines.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "file_text.h"
#include "grexmo/grexmo.h"
#include "hit_counter.h"

namespace quelbrix {

namespace {

// The LF bytes in [from, to), eight at a time: a byte of the word XORed with LF is zero
// exactly where it was LF; a one is added into each byte lane of `lanes` per such byte.
std::size_t CountLineFeeds(const char* from, const char* to) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kLineFeeds = 0x0A0A0A0A0A0A0A0Aull;
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
    std::size_t count = 0;
    while (static_cast<std::size_t>(to - from) >= 8) {
        // At most 255 words a round, so that no lane overflows.
        std::uint64_t lanes = 0;
        for (int round = 0; round < 255 && static_cast<std::size_t>(to - from) >= 8; ++round) {
            std::uint64_t word;
            std::memcpy(&word, from, 8);
            from += 8;
            const std::uint64_t x = word ^ kLineFeeds;
            const std::uint64_t nonZero = ((x & kLow7) + kLow7) | x;  // high bit set unless 0
            lanes += (~nonZero >> 7) & kOnes;
        }
        // Eight byte lanes into four 16-bit ones, then their sum in the top 16 bits.
        const std::uint64_t pairs = (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
        count += static_cast<std::size_t>((pairs * 0x0001000100010001ull) >> 48);
    }
    for (; from < to; ++from) count += *from == '\n';
    return count;
}

// A line of the text: where it starts, its number and where the next one starts (past the end
// of the text for the last line).
struct LineSpan {
    std::size_t start = 0;
    std::size_t number = 1;
    std::size_t length = 0;  // of its text, without CR LF
    std::size_t endLength = 0;
    std::size_t next = 0;
};

// Walks the lines of a text forward and gives them to the sink, each at most once.
class LineLister {
public:
    LineLister(const char* text, std::size_t size, int contextLines, HitLineSink& sink)
        : text_(text), size_(size), context_(contextLines < 0 ? 0 : contextLines), sink_(sink) {}

    // A hit of `length` bytes at `at` (at <= size); false once the sink wants no more.
    bool AddHit(std::size_t at, std::size_t length) {
        if (!havePending_ || at >= pending_.next) {
            if (!FlushPending()) return false;
            const LineSpan line = LineAt(at);
            if (!GiveAfterContext(line.start) || !GiveBeforeContext(line)) return false;
            pending_ = line;
            havePending_ = true;
            ranges_.clear();
        }
        const std::size_t lineEnd = pending_.start + pending_.length;
        HitRange range;
        range.start = (at < lineEnd ? at : lineEnd) - pending_.start;
        const std::size_t hitEnd = at >= lineEnd || length > lineEnd - at ? lineEnd : at + length;
        range.end = hitEnd - pending_.start;
        ranges_.push_back(range);
        return true;
    }

    // The last hit line and the context after it; false when the sink stopped.
    bool Finish() { return FlushPending() && GiveAfterContext(size_ + 1); }

    int GivenHits() const { return givenHits_; }

private:
    // The line that holds `at`, found from the cursor on: the line ends on the way are counted
    // in bulk, and only the stretch back to the line's start is looked at twice.
    LineSpan LineAt(std::size_t at) {
        std::size_t start = at;
        while (start > cursor_.start && text_[start - 1] != '\n') --start;
        if (start > cursor_.start) {
            cursor_.number += CountLineFeeds(text_ + cursor_.start, text_ + start);
            cursor_.start = start;
        }
        return Measure(cursor_.start, cursor_.number);
    }

    LineSpan Measure(std::size_t start, std::size_t number) const {
        LineSpan line;
        line.start = start;
        line.number = number;
        const void* lf = start < size_ ? std::memchr(text_ + start, '\n', size_ - start) : nullptr;
        if (lf == nullptr) {
            line.length = size_ - start;
            line.next = size_ + 1;
            return line;
        }
        const std::size_t at = static_cast<const char*>(lf) - text_;
        line.length = at - start;
        line.endLength = 1;
        if (line.length > 0 && text_[at - 1] == '\r') {
            --line.length;
            line.endLength = 2;
        }
        line.next = at + 1;
        return line;
    }

    bool Give(const LineSpan& span, const std::vector<HitRange>* hits) {
        HitLine line;
        line.number = span.number;
        line.offset = span.start;
        line.text = text_ + span.start;
        line.length = span.length;
        line.endLength = span.endLength;
        line.context = hits == nullptr;
        if (hits != nullptr) {
            line.hits = hits->data();
            line.hitCount = hits->size();
        }
        given_ = span;
        haveGiven_ = true;
        if (hits != nullptr) givenHits_ += static_cast<int>(hits->size());
        return sink_.Line(line);
    }

    bool FlushPending() {
        if (!havePending_) return true;
        havePending_ = false;
        afterLeft_ = context_;
        return Give(pending_, &ranges_);
    }

    // Context lines after the last line given, up to the line that starts at `limit`.
    bool GiveAfterContext(std::size_t limit) {
        while (afterLeft_ > 0 && haveGiven_ && given_.next < size_ && given_.next < limit) {
            --afterLeft_;
            if (!Give(Measure(given_.next, given_.number + 1), nullptr)) return false;
        }
        afterLeft_ = 0;
        return true;
    }

    // Up to context_ lines before `line`, none that was given already. Looks back only over
    // bytes after the last line given, so the text is still looked at a bounded number of times.
    bool GiveBeforeContext(const LineSpan& line) {
        const std::size_t floor = haveGiven_ ? given_.next : 0;
        std::size_t start = line.start;
        int back = 0;
        while (back < context_ && start > floor) {
            std::size_t at = start - 1;  // the LF that ends the line before
            while (at > floor && text_[at - 1] != '\n') --at;
            start = at;
            ++back;
        }
        std::size_t number = line.number - static_cast<std::size_t>(back);
        while (start < line.start) {
            const LineSpan before = Measure(start, number++);
            if (!Give(before, nullptr)) return false;
            start = before.next;
        }
        return true;
    }

    const char* text_;
    std::size_t size_;
    int context_;
    HitLineSink& sink_;
    LineSpan cursor_;  // a line start at or before every hit still to come
    LineSpan pending_;
    bool havePending_ = false;
    std::vector<HitRange> ranges_;
    LineSpan given_;
    bool haveGiven_ = false;
    int afterLeft_ = 0;
    int givenHits_ = 0;
};

}  // namespace

HitLineCount ListHitLines(CGrexmo& pattern, const char* text, std::size_t length,
                          int contextLines, HitLineSink& sink) {
    // Matching ends at the first zero byte; so do the lines.
    const void* zero = std::memchr(text, '\0', length);
    const std::size_t size = zero != nullptr ? static_cast<const char*>(zero) - text : length;
    LineLister lister(text, size, contextLines, sink);
    HitLineCount count;
    // The very hits the count is made of.
    count.stopped = !ForEachHit(pattern, text, size, [&lister](std::size_t at, std::size_t length) {
        return lister.AddHit(at, length);
    });
    if (!count.stopped && !lister.Finish()) count.stopped = true;
    count.hits = lister.GivenHits();
    return count;
}

HitLinesStatus ReadHitLines(FileSystem& files, const char* path, const HitLineRequest& request,
                            HitLineSink& sink, HitLineCount* count) {
    CGrexmo pattern;
    pattern.Read(request.word != nullptr ? request.word : "", request.useRegex, request.folds);
    if (!pattern.IsValid()) return HitLinesStatus::kInvalidPattern;

    TextOptions options;
    options.convertCodes = request.convertCodes;
    options.convertUtf8 = request.convertUtf8;
    options.alwaysDetect = true;
    MatchBuffers buffers;
    FileText text;
    FileFacts facts;
    char errorText[256];
    switch (ReadFileText(files, path, options, buffers, text, facts, errorText, sizeof errorText)) {
    case TextOutcome::kRead:
        break;
    case TextOutcome::kNotOpened:
        return HitLinesStatus::kNotOpened;
    case TextOutcome::kNotRead:
        return HitLinesStatus::kNotRead;
    case TextOutcome::kOutOfMemory:
        return HitLinesStatus::kOutOfMemory;
    case TextOutcome::kNotConverted:
        return HitLinesStatus::kNotConverted;
    }
    sink.BeginFile(path, text.encoding);
    const HitLineCount listed =
        ListHitLines(pattern, text.text, text.length, request.contextLines, sink);
    sink.EndFile(text.length, listed.hits);
    if (count != nullptr) *count = listed;
    return HitLinesStatus::kListed;
}

}  // namespace quelbrix
