// The Shift_JIS character model (code page 932) that every part of the system steps by.
//
// A character is a lead byte (0x81-0x9F, 0xE0-0xFC) followed by a valid trail byte (0x40-0x7E,
// 0x80-0xFC), or any other single byte. A lead byte followed by a byte that cannot trail it
// (the terminating zero, a line feed) is a character of its own. A trail byte may equal '\\'
// (0x5C, as in 表) or an ASCII letter, so texts are only ever walked forward from a known
// boundary, never backward.
#ifndef QUELBRIX_SHIFT_JIS_H
#define QUELBRIX_SHIFT_JIS_H

#include <cstddef>

namespace sjis {

constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes below 0x40 are never trail bytes: the position after one is always a boundary.
constexpr bool IsResyncByte(unsigned char b) { return b < 0x40; }

// Bytes of the character at `p` (1 or 2) in a zero-terminated text; never steps past the zero.
inline std::size_t CharLength(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return IsLeadByte(u[0]) && IsTrailByte(u[1]) ? 2 : 1;
}

// The same for the character at `p` in the bytes before `end` (p < end).
inline std::size_t CharLengthIn(const char* p, const char* end) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return end - p >= 2 && IsLeadByte(u[0]) && IsTrailByte(u[1]) ? 2 : 1;
}

// The longest prefix of the `length` bytes at `text` that is at most `maxBytes` long and ends
// on a character boundary.
inline std::size_t FittingPrefix(const char* text, std::size_t length, std::size_t maxBytes) {
    const char* const end = text + length;
    std::size_t fitting = 0;
    while (fitting < length) {
        const std::size_t next = fitting + CharLengthIn(text + fitting, end);
        if (next > maxBytes) break;
        fitting = next;
    }
    return fitting;
}

}  // namespace sjis

#endif
