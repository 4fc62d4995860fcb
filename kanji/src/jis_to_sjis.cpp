#include "jis_pair_block.h"
#include "kanji/kanji_convert.h"
#include "sjis_char.h"
#include "sjis_writer.h"
#include "source_end.h"

namespace quelbrix {
namespace {

enum class JisCharset {
    kAscii,
    kJisRoman,
    kKana,
    kJisx0208,
    kJisx0213Plane1,
    kJisx0213Plane2,
    kJisx0212
};

constexpr unsigned char kEsc = 0x1B;
constexpr unsigned char kShiftOut = 0x0E;  // JIS Roman -> kana
constexpr unsigned char kShiftIn = 0x0F;   // kana -> JIS Roman

// Length of the designation sequence at `s` (which starts with ESC), 0 when it is none; sets
// `charset` when it is one. The tests stop at the first byte that differs, so the source's
// terminating 0 is never passed.
int MatchDesignation(const unsigned char* s, JisCharset& charset) {
    if (s[1] == '$') {
        if (s[2] == '@' || s[2] == 'B') {
            charset = JisCharset::kJisx0208;
            return 3;
        }
        if (s[2] == '(') {
            switch (s[3]) {
            case 'O':
                charset = JisCharset::kJisx0213Plane1;
                return 4;
            case 'P':
                charset = JisCharset::kJisx0213Plane2;
                return 4;
            case 'D':
                charset = JisCharset::kJisx0212;
                return 4;
            default:
                return 0;
            }
        }
        return 0;
    }
    if (s[1] == '(') {
        switch (s[2]) {
        case 'B':
            charset = JisCharset::kAscii;
            return 3;
        case 'J':
            charset = JisCharset::kJisRoman;
            return 3;
        case 'I':
            charset = JisCharset::kKana;
            return 3;
        default:
            return 0;
        }
    }
    return 0;
}

SjisCode DoubleByteChar(JisCharset charset, std::uint16_t jis) {
    switch (charset) {
    case JisCharset::kJisx0213Plane2:
        return JisCharToSjis(jis, 2);
    case JisCharset::kJisx0212:
        return Jisx0212CharToSjis(jis);
    default:
        return JisCharToSjis(jis, 1);
    }
}

// With the length known, `end` is where the data ends (its terminating 0): in the JIS X 0208
// states, blocks of 16 bytes that lie before it and hold only row and cell bytes are converted
// at once.
template <bool kLengthKnown>
std::int32_t Convert(char* dest, const unsigned char* s, std::uint32_t capacity,
                     const unsigned char* end) {
    const char* const stop = OutputStop(dest, capacity);
    char* out = dest;
    const SourceEnd<kLengthKnown> source{end};
    JisCharset charset = JisCharset::kAscii;
    for (;;) {
#ifdef QUELBRIX_JIS_PAIR_BLOCK
        if (kLengthKnown &&
            (charset == JisCharset::kJisx0208 || charset == JisCharset::kJisx0213Plane1)) {
            ConvertPairBlocks(s, end, out, stop, 0x21, 0x7E);
        }
#endif
        if (source.At(s)) break;
        const unsigned c = *s;
        if (c == 0) {
            if ((out = PutZeroByteBefore(out, stop)) == nullptr) return -1;
            ++s;
            continue;
        }
        if (c == kEsc) {
            if (const int consumed = MatchDesignation(s, charset)) {
                s += consumed;
                continue;
            }
        } else if (c == kShiftIn && charset == JisCharset::kKana) {
            charset = JisCharset::kJisRoman;
            ++s;
            continue;
        } else if (c == kShiftOut && charset == JisCharset::kJisRoman) {
            charset = JisCharset::kKana;
            ++s;
            continue;
        }

        SjisCode code = static_cast<SjisCode>(c);
        if (c >= 0x21 && c <= 0x7E) {
            if (charset == JisCharset::kKana) {
                code = static_cast<SjisCode>(c + 0x80);
            } else if (charset != JisCharset::kAscii && charset != JisCharset::kJisRoman) {
                if (source.At(s + 1)) break;  // a row byte cut short by the end of the data
                const unsigned cell = s[1];
                code = DoubleByteChar(charset, static_cast<std::uint16_t>(c << 8 | cell));
                ++s;
            }
        }
        ++s;
        if ((out = PutSjisCharBefore(out, stop, code)) == nullptr) return -1;
    }
    return FinishSjis(dest, out, stop);
}

}  // namespace

std::int32_t JisToSjis(char* dest, const char* source, std::uint32_t capacity) {
    return Convert<false>(dest, reinterpret_cast<const unsigned char*>(source), capacity, nullptr);
}

std::int32_t JisToSjis(char* dest, const char* source, std::uint32_t capacity,
                       std::uint32_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    return Convert<true>(dest, s, capacity, s + length);
}

}  // namespace quelbrix
