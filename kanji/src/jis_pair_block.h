// Eight JIS X 0208 characters at once: the arithmetic of JisCharToSjis (plane 1) on the 16-bit
// lanes of one SSE2 register. Used by the converters where a stretch of text is known to hold
// nothing but double-byte characters.
#ifndef QUELBRIX_JIS_PAIR_BLOCK_H
#define QUELBRIX_JIS_PAIR_BLOCK_H

#include <cstddef>

#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#include <emmintrin.h>
#define QUELBRIX_JIS_PAIR_BLOCK 1

namespace quelbrix {

// Writes the Shift_JIS form of the 8 row/cell byte pairs at `source` (the top bits of both
// bytes are ignored, so EUC-JP pairs work as they are) to the 16 bytes at `dest`.
inline void JisPairBlockToSjis(const unsigned char* source, char* dest) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i row = _mm_and_si128(bytes, _mm_set1_epi16(0x007F));
    const __m128i cell = _mm_and_si128(_mm_srli_epi16(bytes, 8), _mm_set1_epi16(0x007F));
    const __m128i oddRow =
        _mm_cmpeq_epi16(_mm_and_si128(row, _mm_set1_epi16(1)), _mm_set1_epi16(1));
    // second = cell + (odd ? 0x1F : 0x7D), then one more from 0x7F on
    __m128i second = _mm_sub_epi16(_mm_add_epi16(cell, _mm_set1_epi16(0x7D)),
                                   _mm_and_si128(oddRow, _mm_set1_epi16(0x5E)));
    second = _mm_sub_epi16(second, _mm_cmpgt_epi16(second, _mm_set1_epi16(0x7E)));
    // first = ((row - 0x21) >> 1) + 0x81, then 0x40 more above 0x9F
    __m128i first = _mm_add_epi16(_mm_srli_epi16(_mm_sub_epi16(row, _mm_set1_epi16(0x21)), 1),
                                  _mm_set1_epi16(0x81));
    first = _mm_add_epi16(
        first, _mm_and_si128(_mm_cmpgt_epi16(first, _mm_set1_epi16(0x9F)), _mm_set1_epi16(0x40)));
    const __m128i sjis =
        _mm_or_si128(_mm_and_si128(first, _mm_set1_epi16(0xFF)), _mm_slli_epi16(second, 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), sjis);
}

// Bit k set when byte k of the 16 at `source` lies in [low, high].
inline unsigned BytesInRange(const unsigned char* source, unsigned char low, unsigned char high) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source));
    const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(low)));
    const __m128i above = _mm_subs_epu8(offset, _mm_set1_epi8(static_cast<char>(high - low)));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(above, _mm_setzero_si128())));
}

// Converts the pairs at the start of `s` whose bytes all lie in [low, high], 16 bytes at a
// time, while at least 16 bytes of data remain before `end` and the output keeps room for 16
// bytes and the terminator (a block's output is as long as its input). Advances both.
inline void ConvertPairBlocks(const unsigned char*& s, const unsigned char* end, char*& out,
                              const char* stop, unsigned char low, unsigned char high) {
    while (end - s >= 16 && stop - out > 16) {
        const unsigned inside = BytesInRange(s, low, high);
        if (inside == 0xFFFF) {  // the common case in Japanese text: a fixed step
            JisPairBlockToSjis(s, out);
            s += 16;
            out += 16;
            continue;
        }
        const int pairs = __builtin_ctz(~inside) / 2;
        if (pairs == 0) return;
        JisPairBlockToSjis(s, out);  // the bytes after the pairs are written over later
        s += 2 * pairs;
        out += 2 * pairs;
    }
}

}  // namespace quelbrix

#endif
#endif
