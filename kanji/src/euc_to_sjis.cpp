#include "jis_pair_block.h"
#include "kanji/kanji_convert.h"
#include "sjis_char.h"
#include "sjis_writer.h"
#include "source_end.h"

namespace quelbrix {
namespace {

constexpr unsigned kSingleShift2 = 0x8E;  // one half-width kana byte follows
constexpr unsigned kSingleShift3 = 0x8F;  // a JIS X 0212 / JIS X 0213 plane-2 pair follows
constexpr unsigned kFirstJisx0212Row = 0xB1;
constexpr unsigned kLastJisx0212Row = 0xED;

std::uint16_t SevenBitPair(unsigned row, unsigned cell) {
    return static_cast<std::uint16_t>((row & 0x7F) << 8 | (cell & 0x7F));
}

// With the length known, `end` is where the data ends (its terminating 0): blocks of 16 bytes
// that lie before it and hold only JIS X 0208 pairs are converted at once.
template <bool kLengthKnown>
std::int32_t Convert(char* dest, const unsigned char* s, std::uint32_t capacity,
                     const unsigned char* end) {
    const char* const stop = OutputStop(dest, capacity);
    char* out = dest;
    const SourceEnd<kLengthKnown> source{end};
    for (;;) {
#ifdef QUELBRIX_JIS_PAIR_BLOCK
        if (kLengthKnown) ConvertPairBlocks(s, end, out, stop, 0xA1, 0xFF);
#endif
        if (source.At(s)) break;
        const unsigned c = *s;
        SjisCode code;
        if (c == 0) {
            if ((out = PutZeroByteBefore(out, stop)) == nullptr) return -1;
            ++s;
            continue;
        }
        if (c >= 0xA1) {
            if (source.At(s + 1)) break;  // cut short by the end of the data
            code = JisCharToSjis(SevenBitPair(c, s[1]), 1);
            s += 2;
        } else if (c == kSingleShift2) {
            if (source.At(s + 1)) break;
            code = static_cast<SjisCode>(s[1] | 0x80);
            s += 2;
        } else if (c == kSingleShift3) {
            if (source.At(s + 1) || source.At(s + 2)) break;
            const unsigned row = s[1];
            const unsigned cell = s[2];
            const std::uint16_t jis = SevenBitPair(row, cell);
            code = row >= kFirstJisx0212Row && row <= kLastJisx0212Row ? Jisx0212CharToSjis(jis)
                                                                       : JisCharToSjis(jis, 2);
            s += 3;
        } else {
            code = static_cast<SjisCode>(c);
            ++s;
        }
        if ((out = PutSjisCharBefore(out, stop, code)) == nullptr) return -1;
    }
    return FinishSjis(dest, out, stop);
}

}  // namespace

std::int32_t EucToSjis(char* dest, const char* source, std::uint32_t capacity) {
    return Convert<false>(dest, reinterpret_cast<const unsigned char*>(source), capacity, nullptr);
}

std::int32_t EucToSjis(char* dest, const char* source, std::uint32_t capacity,
                       std::uint32_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    return Convert<true>(dest, s, capacity, s + length);
}

}  // namespace quelbrix
