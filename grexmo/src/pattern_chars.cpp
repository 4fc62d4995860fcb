#include "pattern_chars.h"

namespace grexmo {

std::vector<PatternChar> SplitPattern(const char* pattern) {
    std::vector<PatternChar> chars;
    const auto* p = reinterpret_cast<const unsigned char*>(pattern);
    std::size_t offset = 0;
    while (p[offset] != 0) {
        DecodedChar c = DecodeChar(p + offset);
        chars.push_back({c.code, offset});
        offset += c.length;
    }
    return chars;
}

}  // namespace grexmo
