// A hit line's text as it is printed: in the output's encoding, with its hits as byte ranges
// of that text, and cut to a number of columns on request.
#ifndef QUELBRIX_CLI_PRINTED_LINE_H
#define QUELBRIX_CLI_PRINTED_LINE_H

#include <cstddef>
#include <string>
#include <vector>

#include "engine/hit_lines.h"

namespace quelbrix {

struct PrintedLine {
    std::string text;
    std::vector<HitRange> hits;  // into text, in order
    bool cutBefore = false;      // text starts after the line's start
    bool cutAfter = false;       // text ends before the line's end
};

// The line's text, and its end (CR LF or LF) when `withEnd`, in UTF-8 or as its Shift_JIS
// bytes. UTF-8 is converted piece by piece (before a hit, the hit, after it), so each range
// covers the converted hit exactly. False when a U+FFFD stood in for something.
bool MakePrintedLine(const HitLine& line, bool utf8, bool withEnd, PrintedLine& printed);

// When the text is longer than `maxColumns` bytes (0: no limit), keeps the stretch of at most
// that many bytes that starts a quarter of it before hit number `anchor` (the first by default) (or earlier, so that a
// stretch near the line's end is full), both ends on character boundaries of the encoding;
// the hits are cut to it.
void CutToColumns(PrintedLine& printed, std::size_t maxColumns, bool utf8,
                  std::size_t anchor = 0);

}  // namespace quelbrix

#endif
