// Characters as numbers, decoded by the Shift_JIS model every stage steps by (shift_jis.h):
// a lead byte followed by a byte that cannot trail it (including the terminating zero) is a
// character of its own, so decoding never reads past the zero.
#ifndef GREXMO_CHAR_CODE_H
#define GREXMO_CHAR_CODE_H

#include <cstddef>
#include <cstdint>

#include "common/shift_jis.h"

namespace grexmo {

// A character as one number: single bytes keep their value (0x00-0xFF), double-byte
// characters are lead * 256 + trail (0x8140 and above), so both kinds never collide.
using CharCode = std::uint16_t;

using sjis::IsLeadByte;
using sjis::IsResyncByte;
using sjis::IsTrailByte;

struct DecodedChar {
    CharCode code;
    unsigned length;  // 1 or 2
};

// Decodes the character at `p`, which must point into a zero-terminated text (or at its zero).
inline DecodedChar DecodeChar(const unsigned char* p) {
    if (IsLeadByte(p[0]) && IsTrailByte(p[1]))
        return {static_cast<CharCode>((p[0] << 8) | p[1]), 2};
    return {p[0], 1};
}

// The same for the character at `pos` of a text that ends at `end` (no zero needed there):
// a lead byte with no byte after it within the text is a character of its own. With `end`
// a boundary's position and `pos` its `prev`, this is the character before the boundary,
// read without looking past it.
inline DecodedChar DecodeCharWithin(const unsigned char* text, std::size_t pos, std::size_t end) {
    if (pos + 1 < end && IsLeadByte(text[pos]) && IsTrailByte(text[pos + 1]))
        return {static_cast<CharCode>((text[pos] << 8) | text[pos + 1]), 2};
    return {text[pos], 1};
}

inline bool IsDoubleByteCode(CharCode c) { return c > 0xFF; }

// Double-byte characters the syntax knows by name: the full-width space and the first and
// last full-width Latin letters of each case.
constexpr CharCode kFullWidthSpace = 0x8140;
constexpr CharCode kFullWidthUpperA = 0x8260;
constexpr CharCode kFullWidthUpperZ = 0x8279;
constexpr CharCode kFullWidthLowerA = 0x8281;
constexpr CharCode kFullWidthLowerZ = 0x829A;

}  // namespace grexmo

#endif
