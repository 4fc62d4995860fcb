#include "hit_line_output.h"

#include <cstdio>

#include "grep_colors.h"

namespace quelbrix {

namespace {

const char kEllipsisUtf8[] = "\xE2\x80\xA6";  // U+2026
const char kEllipsisSjis[] = "\x81\x63";

void AppendSeparator(std::string& out, char separator, const LineStyle& style) {
    AppendPainted(out, &separator, 1, Paint::kSeparator, style.color);
}

// Green when painted, as grep paints line numbers.
void AppendNumber(std::string& out, std::size_t number, bool color) {
    char digits[24];
    const int length = std::snprintf(digits, sizeof digits, "%zu", number);
    AppendPainted(out, digits, static_cast<std::size_t>(length), Paint::kLineNumber, color);
}

// "path:12:" or "path-12-".
void AppendPrefix(std::string& out, const std::string& path, std::size_t number, char separator,
                  const LineStyle& style) {
    AppendPainted(out, path, Paint::kPath, style.color);
    AppendSeparator(out, separator, style);
    AppendNumber(out, number, style.color);
    AppendSeparator(out, separator, style);
}

// The line's own end, or LF for a last line without one.
void AppendLineEnd(std::string& out, const HitLine& line) {
    if (line.endLength > 0)
        out.append(line.text + line.length, line.endLength);
    else
        out += '\n';
}

// The printed text with its hits painted, the marks of its cuts, and the line's end.
void AppendText(std::string& out, const PrintedLine& printed, const HitLine& line,
                const LineStyle& style) {
    const char* const ellipsis = style.utf8 ? kEllipsisUtf8 : kEllipsisSjis;
    if (printed.cutBefore) out += ellipsis;
    std::size_t done = 0;
    for (const HitRange& hit : printed.hits) {
        if (hit.start == hit.end) continue;  // nothing to paint
        out.append(printed.text, done, hit.start - done);
        AppendPainted(out, printed.text.data() + hit.start, hit.end - hit.start, Paint::kHit,
                      style.color);
        done = hit.end;
    }
    out.append(printed.text, done, std::string::npos);
    if (printed.cutAfter) out += ellipsis;
    AppendLineEnd(out, line);
}

}  // namespace

void AppendGrepLine(std::string& out, const std::string& path, const HitLine& line,
                    const LineStyle& style, PrintedLine& scratch) {
    // Shift_JIS bytes, unpainted and whole, are the line as it is: no copy of it to make.
    if (!style.utf8 && !style.color && (style.maxColumns == 0 || line.length <= style.maxColumns)) {
        AppendPrefix(out, path, line.number, line.context ? '-' : ':', style);
        out.append(line.text, line.length);
        AppendLineEnd(out, line);
        return;
    }
    MakePrintedLine(line, style.utf8, false, scratch);
    CutToColumns(scratch, style.maxColumns, style.utf8);
    AppendPrefix(out, path, line.number, line.context ? '-' : ':', style);
    AppendText(out, scratch, line, style);
}

void AppendGroupSeparator(std::string& out, const LineStyle& style) {
    AppendPainted(out, "--", 2, Paint::kSeparator, style.color);
    out += '\n';
}

void AppendVimgrepLines(std::string& out, const std::string& path, const HitLine& line,
                        const LineStyle& style, PrintedLine& scratch) {
    if (line.context || line.hitCount == 0) return;
    MakePrintedLine(line, style.utf8, false, scratch);
    const bool cut = style.maxColumns > 0 && scratch.text.size() > style.maxColumns;
    PrintedLine stretch;
    for (std::size_t i = 0; i < scratch.hits.size(); ++i) {
        AppendPrefix(out, path, line.number, ':', style);
        AppendNumber(out, scratch.hits[i].start + 1, false);  // the column stays plain
        AppendSeparator(out, ':', style);
        if (!cut) {
            AppendText(out, scratch, line, style);
            continue;
        }
        // Each hit's own stretch, so the line shown is the one the column points into.
        stretch = scratch;
        CutToColumns(stretch, style.maxColumns, style.utf8, i);
        AppendText(out, stretch, line, style);
    }
}

}  // namespace quelbrix
