// A hit line or context line as the preview pane shows it: its number in a fixed-width margin,
// ':' after the number of a hit line and '-' after that of a context line (as the command
// line's --lines marks them), then its text made safe for a text control and cut to a length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quelbrix {

// Bytes [start, end) of a text.
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;
};

struct PreviewLine {
    std::string text;              // Shift_JIS, no line end
    std::size_t marginBytes = 0;   // the number, the marker and a blank: text[0, marginBytes)
    std::vector<TextRange> hits;   // in `text`, after the margin; cut where the text is
    bool context = false;
    bool cut = false;              // the line was longer than the limit and ends with "…"
};

// The line `number` (1-based) of `length` bytes; `hits` in that text, in order. A tab stays;
// any other byte below 0x20, 0x7F, and a lead byte without a second byte become a blank, so
// the control is never given a line end or a broken character of its own making. Text
// beyond `maxBytes` is dropped at a character boundary and "…" put in its place.
PreviewLine FormatPreviewLine(std::uint32_t number, bool context, const char* text,
                              std::size_t length, const TextRange* hits, std::size_t hitCount,
                              std::size_t maxBytes);

// Where a line's number is shown: "   12: " for a hit line, "   12- " for a context line.
std::string PreviewMargin(std::uint32_t number, bool context);

}  // namespace quelbrix
