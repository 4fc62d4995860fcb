#include "printed_line.h"

#include <algorithm>

#include "common/shift_jis.h"
#include "kanji/unicode_text.h"

namespace quelbrix {

namespace {

// Appends bytes of the line; false when UTF-8 lost a character.
bool AppendPiece(std::string& out, const char* text, std::size_t length, bool utf8) {
    if (!utf8) {
        out.append(text, length);
        return true;
    }
    return AppendSjisAsUtf8(text, length, out);
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first character boundary at or after `at`, and the last at or before `limit` found
// from `from`, which is one. Shift_JIS is only ever walked forward from the start.
std::size_t BoundaryAtOrAfter(const std::string& text, std::size_t at, bool utf8) {
    if (utf8) {
        while (at < text.size() && IsUtf8Continuation(text[at])) ++at;
        return at;
    }
    const char* const end = text.data() + text.size();
    std::size_t boundary = 0;
    while (boundary < at && boundary < text.size())
        boundary += sjis::CharLengthIn(text.data() + boundary, end);
    return boundary;
}

std::size_t BoundaryAtOrBefore(const std::string& text, std::size_t from, std::size_t limit,
                               bool utf8) {
    limit = std::min(limit, text.size());
    if (utf8) {
        while (limit > from && limit < text.size() && IsUtf8Continuation(text[limit])) --limit;
        return limit;
    }
    const char* const end = text.data() + text.size();
    std::size_t at = from;
    while (at < text.size()) {
        const std::size_t next = at + sjis::CharLengthIn(text.data() + at, end);
        if (next > limit) break;
        at = next;
    }
    return at;
}

}  // namespace

bool MakePrintedLine(const HitLine& line, bool utf8, bool withEnd, PrintedLine& printed) {
    printed.text.clear();
    printed.hits.clear();
    printed.cutBefore = false;
    printed.cutAfter = false;
    bool whole = true;
    std::size_t done = 0;
    for (std::size_t i = 0; i < line.hitCount; ++i) {
        const std::size_t end = std::min(line.hits[i].end, line.length);
        const std::size_t start = std::min(std::max(line.hits[i].start, done), end);
        whole = AppendPiece(printed.text, line.text + done, start - done, utf8) && whole;
        HitRange range;
        range.start = printed.text.size();
        whole = AppendPiece(printed.text, line.text + start, end - start, utf8) && whole;
        range.end = printed.text.size();
        printed.hits.push_back(range);
        done = end;
    }
    whole = AppendPiece(printed.text, line.text + done, line.length - done, utf8) && whole;
    if (withEnd) printed.text.append(line.text + line.length, line.endLength);
    return whole;
}

void CutToColumns(PrintedLine& printed, std::size_t maxColumns, bool utf8, std::size_t anchorHit) {
    const std::size_t size = printed.text.size();
    if (maxColumns == 0 || size <= maxColumns) return;
    const std::size_t anchor =
        anchorHit < printed.hits.size() ? printed.hits[anchorHit].start : 0;
    const std::size_t lead = maxColumns / 4;
    const std::size_t wanted = std::min(anchor > lead ? anchor - lead : 0, size - maxColumns);
    // Forward, so that a stretch that ends with the line still does; the hit starts on a
    // boundary, so it is never passed.
    const std::size_t begin = BoundaryAtOrAfter(printed.text, wanted, utf8);
    const std::size_t end = BoundaryAtOrBefore(printed.text, begin, begin + maxColumns, utf8);

    std::vector<HitRange> kept;
    for (const HitRange& hit : printed.hits) {
        if (hit.end < begin || hit.start > end) continue;
        HitRange cut;
        cut.start = std::max(hit.start, begin) - begin;
        cut.end = std::min(hit.end, end) - begin;
        if (cut.start < cut.end || hit.start == hit.end) kept.push_back(cut);
    }
    printed.hits.swap(kept);
    printed.text = printed.text.substr(begin, end - begin);
    printed.cutBefore = begin > 0;
    printed.cutAfter = end < size;
}

}  // namespace quelbrix
