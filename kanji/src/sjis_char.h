// One output character at a time: the operations the three converters share.
//
// An output code names one Shift_JISX0213 character: 0 means "no mapping" (written as '?'),
// 0x0001..0x00FF a one-byte character, 0x0100 and above a two-byte character, high byte first.
// All of these are pure and constant-time, so they are inline for the converters' loops.
#ifndef QUELBRIX_SJIS_CHAR_H
#define QUELBRIX_SJIS_CHAR_H

#include <cstdint>

#include "kanji_tables.h"

namespace quelbrix {

using SjisCode = std::uint16_t;

constexpr SjisCode kNoMapping = 0;
constexpr char kUnmappedChar = '?';

// Bytes that PutSjisChar writes for `code`.
constexpr int SjisCharSize(SjisCode code) { return code >= 0x100 ? 2 : 1; }

// Writes one character and returns the number of bytes written (1 or 2).
inline int PutSjisChar(char* dest, SjisCode code) {
    if (code >= 0x100) {
        dest[0] = static_cast<char>(code >> 8);
        dest[1] = static_cast<char>(code & 0xFF);
        return 2;
    }
    dest[0] = code == kNoMapping ? kUnmappedChar : static_cast<char>(code);
    return 1;
}

// A JIS code (row byte high, cell byte low) of plane 1 (JIS X 0208 / JIS X 0213 plane 1) or
// plane 2 (JIS X 0213 plane 2) to Shift_JISX0213. Plane 1 is the usual JIS X 0208 arithmetic
// for every cell; plane 2 has a form only for rows 0x21, 0x23..0x25, 0x28, 0x2C..0x2F and
// 0x6E..0x7E (first bytes 0xF0..0xFC) and gives 0 for the others. Bytes outside the usual
// ranges are not refused: the result is first byte × 256 + second byte, so a second byte past
// 0xFF carries into the first, and the sum is kept to 16 bits.
inline SjisCode JisCharToSjis(std::uint16_t jis, int plane) {
    unsigned row = jis >> 8;
    const unsigned cell = jis & 0xFF;
    if (plane == 2) {
        if (row == 0x21 || (row >= 0x23 && row <= 0x25)) {
            row += 0x5E;
        } else if (row == 0x28 || (row >= 0x2C && row <= 0x2F)) {
            row += 0x58;
        } else if (row >= 0x6E) {
            row += 0x1A;
        } else {
            return kNoMapping;
        }
    }
    // Written as arithmetic on comparisons: in text the branches would go either way at random.
    unsigned second = cell + ((row & 1) ? 0x1F : 0x7D);
    second += second >= 0x7F;
    unsigned first = (((row - 0x21) & 0xFF) >> 1) + 0x81;
    first += (first > 0x9F) * 0x40;
    // first × 256 + second: a second byte past 0xFF carries into the first.
    return static_cast<SjisCode>(first * 256 + second);
}

// A UTF-16 code unit to its output code; 0 when it has none (surrogates, the byte-order mark,
// most private-use units, and everything JIS X 0213 lacks).
inline SjisCode UnicodeCharToSjis(std::uint16_t unit) {
    const std::uint16_t* page = UnicodePageTable[unit >> 8];
    return page != nullptr ? page[unit & 0xFF] : kNoMapping;
}

// The same for a code point of any plane: kNoMapping past the Basic Multilingual Plane, whose
// characters are the only ones the table holds (and for the decoder's mark of bytes that are
// not UTF-8, which lies past it too).
inline SjisCode CodePointToSjis(char32_t codePoint) {
    return codePoint <= 0xFFFF ? UnicodeCharToSjis(static_cast<std::uint16_t>(codePoint))
                               : kNoMapping;
}

// A JIS X 0212 code (row byte high, cell byte low) to the Shift_JISX0213 code of the same
// character; 0 outside rows 0x31..0x6D / cells 0x21..0x7E and where JIS X 0213 lacks it.
inline SjisCode Jisx0212CharToSjis(std::uint16_t jis) {
    const unsigned row = jis >> 8;
    const unsigned cell = jis & 0xFF;
    if (row < kJisx0212FirstRow || row > kJisx0212LastRow || cell < kJisx0212FirstCell ||
        cell > kJisx0212LastCell) {
        return kNoMapping;
    }
    return Jisx0212Table[(row - kJisx0212FirstRow) * kJisx0212CellsPerRow +
                         (cell - kJisx0212FirstCell)];
}

}  // namespace quelbrix

#endif
