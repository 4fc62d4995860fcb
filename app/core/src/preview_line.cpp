#include "app/preview_line.h"

#include <cstdio>

#include "app/sjis.h"

namespace quelbrix {

namespace {

constexpr char kEllipsis[] = "…";

// The end of the longest run of whole characters within `limit` bytes of `text`.
std::size_t WholeCharactersWithin(const char* text, std::size_t length, std::size_t limit) {
    std::size_t at = 0;
    while (at < length) {
        const std::size_t step = IsSjisLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
        if (at + step > limit || at + step > length) break;
        at += step;
    }
    return at;
}

}  // namespace

std::string PreviewMargin(std::uint32_t number, bool context) {
    char margin[24];
    std::snprintf(margin, sizeof margin, "%6lu%c ", static_cast<unsigned long>(number),
                  context ? '-' : ':');
    return margin;
}

PreviewLine FormatPreviewLine(std::uint32_t number, bool context, const char* text,
                              std::size_t length, const TextRange* hits, std::size_t hitCount,
                              std::size_t maxBytes) {
    PreviewLine line;
    line.context = context;
    line.text = PreviewMargin(number, context);
    line.marginBytes = line.text.size();
    if (text == nullptr) length = 0;

    const std::size_t kept = WholeCharactersWithin(text, length, maxBytes);
    line.cut = length > maxBytes;
    // A lone lead byte at the very end is shown as a blank rather than dropped.
    const std::size_t shown = line.cut ? kept : length;
    line.text.reserve(line.marginBytes + shown + sizeof kEllipsis);
    for (std::size_t at = 0; at < shown;) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (IsSjisLeadByte(byte) && at + 1 < shown &&
            sjis::IsTrailByte(static_cast<unsigned char>(text[at + 1]))) {
            line.text.append(text + at, 2);
            at += 2;
            continue;
        }
        const bool plain = byte == '\t' || (byte >= 0x20 && byte != 0x7F && !IsSjisLeadByte(byte));
        line.text.push_back(plain ? static_cast<char>(byte) : ' ');
        ++at;
    }
    if (line.cut) line.text += kEllipsis;

    for (std::size_t i = 0; i < hitCount; ++i) {
        const std::size_t start = hits[i].start;
        const std::size_t end = hits[i].end < shown ? hits[i].end : shown;
        if (start >= end) continue;
        line.hits.push_back({line.marginBytes + start, line.marginBytes + end});
    }
    return line;
}

}  // namespace quelbrix
