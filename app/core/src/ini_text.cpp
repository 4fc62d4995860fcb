#include "ini_text.h"

#include <cstddef>
#include <vector>

#include "app/sjis.h"

namespace quelbrix {

namespace {

enum class LineKind { kBlank, kSection, kKey, kOther };

struct IniLine {
    std::size_t start = 0;       // first byte of the line
    std::size_t contentEnd = 0;  // end of the line without its CR LF / LF
    std::size_t next = 0;        // first byte of the following line
    LineKind kind = LineKind::kOther;
    std::string name;            // section name or key name, trimmed
    std::size_t valueStart = 0;  // for keys: first byte after the "="
};

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlankByte(text[begin])) ++begin;
    while (end > begin && IsBlankByte(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Position of the "]" closing a section name, stepping over double-byte characters whose
// second byte may be 0x5D; `end` when there is none.
std::size_t FindClosingBracket(const std::string& text, std::size_t from, std::size_t end) {
    for (std::size_t i = from; i < end;) {
        const std::size_t length = sjis::CharLengthIn(text.data() + i, text.data() + end);
        if (length == 1 && text[i] == ']') return i;
        i += length;
    }
    return end;
}

IniLine ClassifyLine(const std::string& text, std::size_t start, std::size_t contentEnd,
                     std::size_t next) {
    IniLine line;
    line.start = start;
    line.contentEnd = contentEnd;
    line.next = next;
    std::size_t first = start;
    while (first < contentEnd && IsBlankByte(text[first])) ++first;
    if (first == contentEnd) {
        line.kind = LineKind::kBlank;
    } else if (text[first] == '[') {
        std::size_t close = FindClosingBracket(text, first + 1, contentEnd);
        line.kind = LineKind::kSection;
        line.name = Trim(text.substr(first + 1, close - first - 1));
    } else if (text[first] == ';') {
        line.kind = LineKind::kOther;
    } else {
        // "=" (0x3D) is never the second byte of a double-byte character.
        std::size_t equals = text.find('=', first);
        if (equals != std::string::npos && equals < contentEnd) {
            line.kind = LineKind::kKey;
            line.name = Trim(text.substr(first, equals - first));
            line.valueStart = equals + 1;
        }
    }
    return line;
}

std::vector<IniLine> SplitLines(const std::string& text) {
    std::vector<IniLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t newline = text.find('\n', start);
        std::size_t next = newline == std::string::npos ? text.size() : newline + 1;
        std::size_t contentEnd = newline == std::string::npos ? text.size() : newline;
        if (contentEnd > start && text[contentEnd - 1] == '\r') --contentEnd;
        lines.push_back(ClassifyLine(text, start, contentEnd, next));
        start = next;
    }
    return lines;
}

// Index of the first line of the first section called `section` (its header), or -1.
long FindSection(const std::vector<IniLine>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::kSection && SameIniName(lines[i].name, section)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

std::string SingleLine(const std::string& value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

// What completes the line end of `text` when it stops inside a line: a file that ends in a
// bare CR gets its LF, otherwise a whole CR LF. Nothing when it ends with a line feed.
const char* MissingLineEnd(const std::string& text) {
    if (text.empty() || text.back() == '\n') return "";
    return text.back() == '\r' ? "\n" : "\r\n";
}

}  // namespace

bool SameIniName(const std::string& a, const std::string& b) { return SameIgnoringAsciiCase(a, b); }

bool FindIniValue(const std::string& text, const std::string& section, const std::string& key,
                  std::string& value) {
    std::vector<IniLine> lines = SplitLines(text);
    long header = FindSection(lines, section);
    if (header < 0) return false;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        const IniLine& line = lines[i];
        if (line.kind == LineKind::kSection) break;
        if (line.kind == LineKind::kKey && SameIniName(line.name, key)) {
            value = text.substr(line.valueStart, line.contentEnd - line.valueStart);
            return true;
        }
    }
    return false;
}

std::string SetIniValue(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value) {
    const std::string clean = SingleLine(value);
    std::vector<IniLine> lines = SplitLines(text);
    long header = FindSection(lines, section);

    if (header < 0) {
        std::string result = text + MissingLineEnd(text);
        if (!lines.empty() && lines.back().kind != LineKind::kBlank) {
            result += "\r\n";  // a blank line before the new section, as between the others
        }
        return result + "[" + section + "]\r\n" + key + "=" + clean + "\r\n";
    }

    std::size_t lastFilled = header;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        const IniLine& line = lines[i];
        if (line.kind == LineKind::kSection) break;
        if (line.kind == LineKind::kKey && SameIniName(line.name, key)) {
            return text.substr(0, line.valueStart) + clean + text.substr(line.contentEnd);
        }
        if (line.kind != LineKind::kBlank) lastFilled = i;
    }

    const IniLine& anchor = lines[lastFilled];
    std::string before = text.substr(0, anchor.next);
    before += MissingLineEnd(before);  // the file ended without a line end
    return before + key + "=" + clean + "\r\n" + text.substr(anchor.next);
}

}  // namespace quelbrix
