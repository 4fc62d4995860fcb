#include "byte_scan.h"

#include "char_code.h"
#include "simd.h"

#include <cstdint>

namespace grexmo {
namespace {

#if defined(GREXMO_HAVE_SSE2)

inline __m128i Load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Bytes b with unsigned (b - lo) <= width, as max(b - lo, width) == width; lo and width in
// every lane.
inline __m128i InRange(__m128i bytes, __m128i lo, __m128i width) {
    return _mm_cmpeq_epi8(_mm_max_epu8(_mm_sub_epi8(bytes, lo), width), width);
}

inline __m128i InRange(__m128i bytes, unsigned char lo, unsigned char width) {
    return InRange(bytes, _mm_set1_epi8(static_cast<char>(lo)),
                   _mm_set1_epi8(static_cast<char>(width)));
}

// A ByteRanges set in every lane, made once per scan.
struct VectorRanges {
    explicit VectorRanges(const ByteRanges& ranges = ByteRanges{}) : count(ranges.count) {
        for (int r = 0; r < count; ++r) {
            lo[r] = _mm_set1_epi8(static_cast<char>(ranges.lo[r]));
            width[r] = _mm_set1_epi8(static_cast<char>(ranges.width[r]));
            single[r] = ranges.width[r] == 0;
        }
    }
    __m128i lo[ByteRanges::kMax];
    __m128i width[ByteRanges::kMax];
    bool single[ByteRanges::kMax];
    int count;
};

// The bytes in any of the ranges.
inline __m128i InVectorRanges(__m128i bytes, const VectorRanges& v) {
    __m128i in = _mm_setzero_si128();
    for (int r = 0; r < v.count; ++r)  // one byte: a plain comparison
        in = _mm_or_si128(
            in, v.single[r] ? _mm_cmpeq_epi8(bytes, v.lo[r]) : InRange(bytes, v.lo[r], v.width[r]));
    return in;
}

#endif

}  // namespace

std::size_t FindBytePair(const unsigned char* text, std::size_t from, std::size_t end,
                         const BytePair& pair) {
    const std::size_t span =
        1 + (pair.firstOffset > pair.secondOffset ? pair.firstOffset : pair.secondOffset);
    if (end < span || from > end - span) return SIZE_MAX;
    const std::size_t last = end - span;  // the last start position that fits
    std::size_t i = from;
#if defined(GREXMO_HAVE_SSE2)
    const __m128i first = _mm_set1_epi8(static_cast<char>(pair.first));
    const __m128i second = _mm_set1_epi8(static_cast<char>(pair.second));
    for (; i <= last && last - i >= 31; i += 32) {  // 32 start positions, all within the text
        const unsigned lo = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(Load(text + i + pair.firstOffset), first),
                          _mm_cmpeq_epi8(Load(text + i + pair.secondOffset), second))));
        const unsigned hi = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(Load(text + i + 16 + pair.firstOffset), first),
                          _mm_cmpeq_epi8(Load(text + i + 16 + pair.secondOffset), second))));
        if (lo) return i + LowestBit(lo);
        if (hi) return i + 16 + LowestBit(hi);
    }
#endif
    for (; i <= last; ++i)
        if (text[i + pair.firstOffset] == pair.first && text[i + pair.secondOffset] == pair.second)
            return i;
    return SIZE_MAX;
}

namespace {

bool InRanges(unsigned char b, const ByteRanges& ranges) {
    for (int r = 0; r < ranges.count; ++r)
        if (static_cast<unsigned char>(b - ranges.lo[r]) <= ranges.width[r]) return true;
    return false;
}

}  // namespace

std::size_t FindByteInRanges(const unsigned char* text, std::size_t from, std::size_t end,
                             const ByteRanges& ranges) {
    std::size_t i = from;
#if defined(GREXMO_HAVE_SSE2)
    const VectorRanges set(ranges);
    for (; i < end && end - i >= 16; i += 16) {
        const unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(InVectorRanges(Load(text + i), set)));
        if (mask) return i + LowestBit(mask);
    }
#endif
    for (; i < end; ++i)
        if (InRanges(text[i], ranges)) return i;
    return SIZE_MAX;
}

namespace {

#if defined(GREXMO_HAVE_SSE2)

inline __m128i LeadValues(__m128i bytes) {
    return _mm_or_si128(InRange(bytes, 0x81, 0x9F - 0x81), InRange(bytes, 0xE0, 0xFC - 0xE0));
}

inline __m128i TrailValues(__m128i bytes) {
    return _mm_or_si128(InRange(bytes, 0x40, 0x7E - 0x40), InRange(bytes, 0x80, 0xFC - 0x80));
}
#endif

// Whether text[i] is surely the second byte of a pair, reading no byte before `from`.
bool SurelyTrail(const unsigned char* text, std::size_t from, std::size_t i) {
    return i > from && IsLeadByte(text[i - 1]) && (i == from + 1 || !IsLeadByte(text[i - 2])) &&
           IsTrailByte(text[i]);
}

}  // namespace

std::size_t FindByteInRangesSkippingTrails(const unsigned char* text, std::size_t from,
                                           std::size_t end, const ByteRanges& ranges) {
    std::size_t i = from;
    for (; i < end && i < from + 2; ++i)
        if (InRanges(text[i], ranges) && !SurelyTrail(text, from, i)) return i;
#if defined(GREXMO_HAVE_SSE2)
    const VectorRanges set(ranges);
    for (; i < end && end - i >= 16; i += 16) {
        const __m128i bytes = Load(text + i);
        const __m128i in = InVectorRanges(bytes, set);
        if (_mm_movemask_epi8(in) == 0) continue;
        const __m128i afterPairStart =
            _mm_andnot_si128(LeadValues(Load(text + i - 2)), LeadValues(Load(text + i - 1)));
        const __m128i trail = _mm_and_si128(afterPairStart, TrailValues(bytes));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_andnot_si128(trail, in)));
        if (mask) return i + LowestBit(mask);
    }
#endif
    for (; i < end; ++i)
        if (InRanges(text[i], ranges) && !SurelyTrail(text, from, i)) return i;
    return SIZE_MAX;
}

namespace {

// Whether one of the patterns matches from i on; with `buckets` (nibble table bits), one
// of the patterns in those buckets.
bool PrefixAt(const unsigned char* text, std::size_t i, std::size_t end, const BytePrefixSet& set,
              int buckets = -1) {
    for (int k = 0; k < set.count; ++k) {
        if (buckets >= 0 && !(buckets & set.bucket[k])) continue;
        bool matches = true;
        for (int j = 0; matches && j < set.length[k] && i + j < end; ++j)
            matches = InRanges(text[i + j], set.at[k][j]);
        if (matches) return true;
    }
    return false;
}

// A rough share of the byte in Japanese Shift_JIS text with some ASCII mixed in, in
// thousandths, as lead and as trail byte together; only the order of sums and products of
// these matters.
double ByteShare(unsigned char b) {
    if (b == 0x82) return 120;              // the hiragana lead
    if (b == 0x81 || b == 0x83) return 60;  // punctuation, katakana
    if (b == ' ' || b == '\n' || b == '\r') return 20;
    if (b >= 0x88 && b <= 0x9F) return 12;  // kanji leads, also frequent trails
    if (b >= 'a' && b <= 'z') return 8;
    if (b >= 0xE0 && b <= 0xEA) return 5;
    if (b >= 0x40 && b <= 0xFC) return 3;  // other trail values, half-width kana
    return 2;
}

double RangesShare(const ByteRanges& ranges) {
    double share = 0;
    for (int r = 0; r < ranges.count; ++r)
        for (unsigned b = ranges.lo[r]; b <= ranges.lo[r] + 0u + ranges.width[r]; ++b)
            share += ByteShare(static_cast<unsigned char>(b));
    return share < 1000 ? share / 1000 : 1;
}

}  // namespace

void ChooseNibbleMasks(BytePrefixSet* set) {
    set->nibbles = NibbleMasks{};
    // One pattern is its own union: the plain comparisons are fewer than the lookups.
    if (set->count <= 1) return;
    int shortest = BytePrefixSet::kMaxLength;
    for (int k = 0; k < set->count; ++k)
        if (set->length[k] < shortest) shortest = set->length[k];
    // Every set of up to three distances below `shortest` as a bit mask; the one with the
    // fewest expected passes wins (the patterns' own bytes multiply, and the patterns add).
    const int wanted = shortest < NibbleMasks::kDistances ? shortest : NibbleMasks::kDistances;
    unsigned best = 0;
    double bestPasses = 0;
    for (unsigned chosen = 1; chosen < (1u << shortest); ++chosen) {
        int size = 0;
        for (unsigned rest = chosen; rest != 0; rest &= rest - 1) ++size;
        if (size != wanted) continue;
        double passes = 0;
        for (int k = 0; k < set->count; ++k) {
            double share = 1;
            for (int d = 0; d < shortest; ++d)
                if (chosen >> d & 1) share *= RangesShare(set->at[k][d]);
            passes += share;
        }
        if (best == 0 || passes < bestPasses) {
            best = chosen;
            bestPasses = passes;
        }
    }
    NibbleMasks& masks = set->nibbles;
    for (int d = 0; d < shortest; ++d) {
        if (!(best >> d & 1)) continue;
        const int slot = masks.count++;
        masks.distance[slot] = static_cast<unsigned char>(d);
        for (int k = 0; k < set->count; ++k) {
            const int bucket = k * 8 / (set->count > 8 ? set->count : 8);
            set->bucket[k] = static_cast<unsigned char>(1u << bucket);
            const ByteRanges& r = set->at[k][d];
            for (int i = 0; i < r.count; ++i)
                for (unsigned b = r.lo[i]; b <= r.lo[i] + 0u + r.width[i]; ++b)
                    AddToNibbleMasks(&masks, slot, bucket, static_cast<unsigned char>(b));
        }
    }
}

std::size_t FindBytePrefix(const unsigned char* text, std::size_t from, std::size_t end,
                           const BytePrefixSet& set) {
    std::size_t i = from;
#if defined(GREXMO_HAVE_SSE2)
    const std::size_t reach = 16 + static_cast<std::size_t>(set.unionCount) - 1;
    if (set.nibbles.count > 0 && NibbleScanAvailable()) {
        for (;;) {
            unsigned hits = 0;
            unsigned char buckets[16];
            i = ScanNibbleBlocks(text, i, end, set.nibbles, &hits, buckets);
            if (hits == 0) break;
            for (; hits != 0; hits &= hits - 1) {
                const unsigned j = LowestBit(hits);
                if (PrefixAt(text, i + j, end, set, buckets[j])) return i + j;
            }
            i += 16;
        }
    } else if (set.unionCount > 0 && set.unions[0].count > 0) {
        VectorRanges unions[BytePrefixSet::kMaxUnions];
        for (int u = 0; u < set.unionCount; ++u) unions[u] = VectorRanges(set.unions[u]);
        for (; i < end && end - i >= reach; i += 16) {
            __m128i passed = InVectorRanges(Load(text + i), unions[0]);
            for (int u = 1; u < set.unionCount; ++u)
                passed = _mm_and_si128(passed, InVectorRanges(Load(text + i + u), unions[u]));
            for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(passed)); mask != 0;
                 mask &= mask - 1) {
                const std::size_t at = i + LowestBit(mask);
                if (PrefixAt(text, at, end, set)) return at;
            }
        }
    }
#endif
    for (; i < end; ++i)
        if (PrefixAt(text, i, end, set)) return i;
    return SIZE_MAX;
}

}  // namespace grexmo
