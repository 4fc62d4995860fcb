// One UTF-8 character: decoded strictly, so that every reader of UTF-8 (the file converter,
// the command line's arguments) agrees on what is a character and what is not.
#ifndef QUELBRIX_KANJI_UTF8_CHAR_H
#define QUELBRIX_KANJI_UTF8_CHAR_H

#include <cstddef>

namespace quelbrix {

// Stands for bytes that are no character; above U+10FFFF, so nothing maps it.
constexpr char32_t kNotUtf8Char = 0xFFFFFFFF;

struct Utf8Char {
    char32_t codePoint;  // kNotUtf8Char for a malformed sequence
    std::size_t length;  // source bytes taken, at least 1
};

// The character that begins at `s` (`s` < `end`). A malformed sequence takes the longest
// start that could still have become a character (at least its first byte), so one
// replacement stands for it and the byte that broke it off begins the next character.
// Overlong forms, surrogates and values past U+10FFFF are refused at their second byte.
inline Utf8Char DecodeUtf8Char(const unsigned char* s, const unsigned char* end) {
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
        return {kNotUtf8Char, 1};  // a stray continuation byte, C0, C1 or F5..FF
    }
    for (std::size_t at = 1; at <= trailBytes; ++at) {
        if (s + at >= end || s[at] < low || s[at] > high) return {kNotUtf8Char, at};
        codePoint = codePoint << 6 | (s[at] & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return {codePoint, trailBytes + 1};
}

}  // namespace quelbrix

#endif
