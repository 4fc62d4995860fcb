// Shift_JIS byte classes and one-character decoding, shared by every stage.
// A character is a lead byte followed by a valid trail byte, or any other single byte.
// A lead byte followed by a byte that cannot trail it (including the terminating zero)
// is a character of its own, so decoding never reads past the zero.
#ifndef GREXMO_SJIS_H
#define GREXMO_SJIS_H

#include <cstddef>
#include <cstdint>

namespace grexmo {

// A character as one number: single bytes keep their value (0x00-0xFF), double-byte
// characters are lead * 256 + trail (0x8140 and above), so both kinds never collide.
using CharCode = std::uint16_t;

inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes below 0x40 are never trail bytes: the position after one is always a boundary.
inline bool IsResyncByte(unsigned char b) { return b < 0x40; }

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

inline bool IsDoubleByteCode(CharCode c) { return c > 0xFF; }

}  // namespace grexmo

#endif
