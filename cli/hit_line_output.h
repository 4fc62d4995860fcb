// The grep-like forms of hit lines: "path:12:text" and "path-13-text" as grep -n -H prints
// hit lines and context lines, "--" between groups, and "path:12:5:text" once per hit for
// Vim's quickfix list.
#ifndef QUELBRIX_CLI_HIT_LINE_OUTPUT_H
#define QUELBRIX_CLI_HIT_LINE_OUTPUT_H

#include <cstddef>
#include <string>

#include "engine/hit_lines.h"
#include "printed_line.h"

namespace quelbrix {

struct LineStyle {
    bool utf8 = false;  // lines in UTF-8 (the terminal mode); otherwise their Shift_JIS bytes
    bool color = false;
    std::size_t maxColumns = 0;  // 0: lines are printed whole
};

// `path` is already in the output's encoding. Each line keeps its own end (CR LF or LF); a
// last line without one gets LF. `scratch` only saves allocations.
void AppendGrepLine(std::string& out, const std::string& path, const HitLine& line,
                    const LineStyle& style, PrintedLine& scratch);

// "--" and LF.
void AppendGroupSeparator(std::string& out, const LineStyle& style);

// One line per hit, each with the whole line; the column counts bytes of the line as printed,
// from 1, before any cut. A context line gives nothing.
void AppendVimgrepLines(std::string& out, const std::string& path, const HitLine& line,
                        const LineStyle& style, PrintedLine& scratch);

}  // namespace quelbrix

#endif
