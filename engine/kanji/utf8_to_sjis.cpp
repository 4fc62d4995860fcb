#include <cstddef>

#include "kanji_convert.h"
#include "sjis_char.h"
#include "sjis_writer.h"

namespace quelbrix {
namespace {

// Stands for input that is no character; it is above U+FFFF, so it has no mapping either.
constexpr char32_t kMalformed = 0xFFFFFFFF;

struct Utf8Char {
    char32_t codePoint;  // kMalformed for a malformed sequence
    std::size_t length;  // source bytes taken, at least 1
};

// The character that begins at `s` (`s` < `end`). A malformed sequence takes the longest
// start that could still have become a character (at least its first byte), so one '?'
// stands for it and the byte that broke it off begins the next character. Overlong forms,
// surrogates and values past U+10FFFF are refused at their second byte.
Utf8Char NextChar(const unsigned char* s, const unsigned char* end) {
    const unsigned lead = s[0];
    if (lead < 0x80) return {lead, 1};
    std::size_t trailBytes = 0;
    char32_t codePoint = 0;
    unsigned low = 0x80;  // the range of the second byte; later bytes take 0x80..0xBF
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailBytes = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailBytes = 2;
        codePoint = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // below: overlong
        if (lead == 0xED) high = 0x9F;  // above: surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailBytes = 3;
        codePoint = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // below: overlong
        if (lead == 0xF4) high = 0x8F;  // above: past U+10FFFF
    } else {
        return {kMalformed, 1};  // a stray continuation byte, C0, C1 or F5..FF
    }
    for (std::size_t at = 1; at <= trailBytes; ++at) {
        if (s + at >= end || s[at] < low || s[at] > high) return {kMalformed, at};
        codePoint = codePoint << 6 | (s[at] & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {codePoint, trailBytes + 1};
}

SjisCode CodePointToSjis(char32_t codePoint) {
    return codePoint <= 0xFFFF ? UnicodeCharToSjis(static_cast<std::uint16_t>(codePoint))
                               : kNoMapping;
}

}  // namespace

std::int32_t Utf8ToSjis(char* dest, const char* source, std::uint32_t capacity,
                        std::uint32_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    const auto* const end = s + length;
    if (length >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF) s += 3;
    const char* const stop = OutputStop(dest, capacity);
    char* out = dest;
    while (s != end && *s != 0) {
        if (*s < 0x80) {  // ASCII maps to itself
            if (stop - out <= 1) return -1;
            *out++ = static_cast<char>(*s++);
            continue;
        }
        const Utf8Char next = NextChar(s, end);
        s += next.length;
        if ((out = PutSjisCharBefore(out, stop, CodePointToSjis(next.codePoint))) == nullptr)
            return -1;
    }
    return FinishSjis(dest, out, stop);
}

}  // namespace quelbrix
