// First stage: the pattern split into Shift_JIS characters, so that a trail byte such as the
// 0x5C inside 表 is never taken for a backslash.
#ifndef GREXMO_PATTERN_CHARS_H
#define GREXMO_PATTERN_CHARS_H

#include "char_code.h"

#include <cstddef>
#include <vector>

namespace grexmo {

struct PatternChar {
    CharCode code;
    std::size_t offset;  // byte offset in the pattern, for error messages
};

// Splits the zero-terminated `pattern`, which the caller has checked to be at most
// kMaxPatternBytes long.
std::vector<PatternChar> SplitPattern(const char* pattern);

}  // namespace grexmo

#endif
