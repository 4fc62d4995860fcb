#include "folder_name_patterns.h"

#include "common/shift_jis.h"

namespace quelbrix {

namespace {

unsigned char FoldAsciiCase(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// One character of the pattern (`patternChar` bytes) against one of the name (`nameChar`).
bool SameCharacter(const char* pattern, std::size_t patternChar, const char* name,
                   std::size_t nameChar) {
    if (patternChar != nameChar) return false;
    if (patternChar == 2) return pattern[0] == name[0] && pattern[1] == name[1];
    return FoldAsciiCase(static_cast<unsigned char>(pattern[0])) ==
           FoldAsciiCase(static_cast<unsigned char>(name[0]));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool MatchesNamePattern(const char* pattern, std::size_t patternLength, const char* name) {
    // Greedy matching that remembers only the last star: on a mismatch the last star takes
    // one more character of the name and matching resumes after it. An earlier star never
    // needs to be revisited, so no pattern costs more than its length times the name's.
    const char* const end = pattern + patternLength;
    const char* p = pattern;
    const char* n = name;
    const char* afterStar = nullptr;  // the pattern just past the last star met
    const char* starTook = nullptr;   // where the name stood when that star began
    while (*n != '\0') {
        if (p < end && *p == '*') {
            afterStar = ++p;
            starTook = n;
            continue;
        }
        const std::size_t nameChar = sjis::CharLength(n);
        if (p < end) {
            const std::size_t patternChar = sjis::CharLengthIn(p, end);
            if ((patternChar == 1 && *p == '?') || SameCharacter(p, patternChar, n, nameChar)) {
                p += patternChar;
                n += nameChar;
                continue;
            }
        }
        if (afterStar == nullptr) return false;
        starTook += sjis::CharLength(starTook);
        n = starTook;
        p = afterStar;
    }
    while (p < end && *p == '*') ++p;
    return p == end;
}

bool IsExcludedFolderName(const char* name, const char* patterns) {
    if (patterns == nullptr) return false;
    const char* item = patterns;
    for (;;) {
        // ';' is below 0x40 and so never a second byte; stepping by characters keeps to the
        // boundaries all the same.
        const char* stop = item;
        while (*stop != '\0' && *stop != ';') stop += sjis::CharLength(stop);
        const char* first = item;
        const char* last = stop;
        while (first < last && IsBlank(*first)) ++first;
        // A blank is below 0x40 too, so a trailing one is never the second byte of a character.
        while (last > first && IsBlank(last[-1])) --last;
        if (last > first &&
            MatchesNamePattern(first, static_cast<std::size_t>(last - first), name))
            return true;
        if (*stop == '\0') return false;
        item = stop + 1;
    }
}

}  // namespace quelbrix
