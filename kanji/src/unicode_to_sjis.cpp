#include <cstddef>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "kanji/kanji_convert.h"
#include "sjis_char.h"
#include "sjis_writer.h"

namespace quelbrix {
namespace {

// Whether one of the 8 code units at `s` is 0; without SSE2, always "maybe".
bool HasZeroUnit(const unsigned char* s) {
#ifdef __SSE2__
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    return _mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_setzero_si128())) != 0;
#else
    (void)s;
    return true;
#endif
}

// PutSjisChar storing two bytes whatever the character's size and moving on by one or two;
// the caller guarantees room for both. (Written with conditions on purpose: the processor
// then predicts the next write position, which measured faster than arithmetic on the code.)
char* PutTwoBytesAt(char* out, SjisCode code) {
    const bool twoBytes = code >= 0x100;
    const std::uint16_t highFirst = static_cast<std::uint16_t>(code >> 8 | code << 8);
    std::uint16_t value = twoBytes ? highFirst : code;
    value = code != kNoMapping ? value : static_cast<unsigned char>(kUnmappedChar);
    out[0] = static_cast<char>(value & 0xFF);
    out[1] = static_cast<char>(value >> 8);
    return out + 1 + twoBytes;
}

// UnicodeCharToSjis of the unit with these two bytes, taking the page and the entry from the
// bytes as they lie in memory.
SjisCode UnitToSjis(unsigned low, unsigned high) {
    const std::uint16_t* page = UnicodePageTable[high];
    return page != nullptr ? page[low] : kNoMapping;
}

}  // namespace

std::int32_t UnicodeToSjis(char* dest, const char* source, std::uint32_t capacity,
                           std::uint32_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    const auto* const unitsEnd = s + (length & ~1u);
    const char* const stop = OutputStop(dest, capacity);
    char* out = dest;
    while (s != unitsEnd) {
        // No unit writes more than 2 bytes (nor stores more), so this many units fit without
        // asking each time.
        const std::size_t room = static_cast<std::size_t>(stop - out);
        std::size_t units = static_cast<std::size_t>(unitsEnd - s) / 2;
        if (room <= 2) break;
        if (units > (room - 1) / 2) units = (room - 1) / 2;
        for (; units >= 8 && !HasZeroUnit(s); units -= 8, s += 16) {
            for (int k = 0; k < 16; k += 2) out = PutTwoBytesAt(out, UnitToSjis(s[k], s[k + 1]));
        }
        for (; units > 0; --units, s += 2) {
            const auto unit = static_cast<std::uint16_t>(s[0] | s[1] << 8);
            if (unit == 0) return FinishSjis(dest, out, stop);
            out = PutTwoBytesAt(out, UnicodeCharToSjis(unit));
        }
    }
    for (; s != unitsEnd; s += 2) {  // close to the capacity: unit by unit
        const auto unit = static_cast<std::uint16_t>(s[0] | s[1] << 8);
        if (unit == 0) return FinishSjis(dest, out, stop);
        if ((out = PutSjisCharBefore(out, stop, UnicodeCharToSjis(unit))) == nullptr) return -1;
    }
    if (length % 2 != 0 && s[0] != 0) {
        if ((out = PutSjisCharBefore(out, stop, UnicodeCharToSjis(s[0]))) == nullptr) return -1;
    }
    return FinishSjis(dest, out, stop);
}

}  // namespace quelbrix
