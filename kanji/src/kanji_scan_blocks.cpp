// The detector's tests 64 positions at a time: each becomes a 64-bit mask, bit j for position
// block + j, made with AVX2 from the classes of each byte alone (a test on the next byte is the
// same mask moved down one bit); the pairs are then taken with PEXT and PDEP (BMI2). The
// processor is asked for both at run time. Elsewhere, and without them, ScanBlocks goes byte
// by byte.
#include <algorithm>
#include <cstdint>

#include "kanji_scan.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QUELBRIX_SCAN_BLOCKS 1
#endif

namespace quelbrix {

#ifdef QUELBRIX_SCAN_BLOCKS

namespace {

#define QUELBRIX_VECTOR_TARGET __attribute__((target("avx2,bmi2,popcnt")))

constexpr std::uint64_t kEvenPositions = 0x5555555555555555ULL;
constexpr std::uint64_t kOddPositions = ~kEvenPositions;

int LowestBit(std::uint64_t x) { return __builtin_ctzll(x); }

// Bytes of `v` in [low, high], as 0xFF lanes: the range is moved to start at -128, so that
// one signed comparison tells. `high - low` is below 255.
QUELBRIX_VECTOR_TARGET __m256i InRange(__m256i v, unsigned char low, unsigned char high) {
    const __m256i moved = _mm256_add_epi8(v, _mm256_set1_epi8(static_cast<char>(0x80 - low)));
    return _mm256_cmpgt_epi8(_mm256_set1_epi8(static_cast<char>(high - low - 127)), moved);
}

QUELBRIX_VECTOR_TARGET __m256i Equal(__m256i v, unsigned char c) {
    return _mm256_cmpeq_epi8(v, _mm256_set1_epi8(static_cast<char>(c)));
}

QUELBRIX_VECTOR_TARGET std::uint64_t Bits(__m256i lanes, int half) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(lanes)))
           << (32 * half);
}

// For each run of consecutive set bits, the bits at even offsets from the run's start: the
// pairs that a left-to-right scan takes when a taken position makes the next one its trail.
QUELBRIX_VECTOR_TARGET std::uint64_t EveryOtherFromRunStart(std::uint64_t x) {
    const std::uint64_t starts = x & ~(x << 1);
    // Adding a run's start bit clears the whole run; only runs starting at even bits get one.
    const std::uint64_t evenRuns = x & ~(x + (starts & kEvenPositions));
    // The odd bits of every run, then those of the even runs swapped for their even bits.
    return (x & kOddPositions) ^ evenRuns;
}

QUELBRIX_VECTOR_TARGET std::uint64_t LowBits(int n) { return n >= 64 ? ~0ULL : (1ULL << n) - 1; }

// The tests' predicates over the 64 positions of a block, bit j for position block + j.
struct BlockMasks {
    std::uint64_t zero, lineBreak, foreign;  // bytes: zero, CR or LF, 0xA0..0xF7
    std::uint64_t utf8, sjis, euc;           // candidates: the byte and the next one or two fit
    bool escape, plus;                       // the block holds an ESC / a plus sign
};

constexpr bool IsContinuation(unsigned c) { return c >= 0x80 && c <= 0xBF; }
constexpr bool IsSjisTrail(unsigned c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }
constexpr bool IsEucByte(unsigned c) { return c >= 0xA1 && c <= 0xFE; }

// `mask` moved down by `by` positions, the bits of the next block's first positions on top.
std::uint64_t Following(std::uint64_t mask, int by, bool first, bool second = false) {
    return mask >> by | static_cast<std::uint64_t>(first) << (64 - by) |
           static_cast<std::uint64_t>(second) << 63;
}

// Only the masks that can still change the verdict are made: the UTF-16 line breaks and
// foreign high bytes until a foreign high byte has been seen, the multibyte ones while the
// multibyte tests still run. Reads the bytes block + 0 .. block + 65.
template <bool kUtf16Detail, bool kMultibyte>
__attribute__((always_inline)) QUELBRIX_VECTOR_TARGET inline BlockMasks ClassifyBlock(
    const unsigned char* p) {
    BlockMasks m{};
    std::uint64_t utf8Lead = 0, continuation = 0, sjisLead = 0, sjisTrail = 0, euc = 0;
    __m256i escape = _mm256_setzero_si256();
    __m256i plus = _mm256_setzero_si256();
    for (int half = 0; half < 2; ++half) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
        m.zero |= Bits(Equal(v, 0), half);
        if (kUtf16Detail) {
            m.lineBreak |= Bits(_mm256_or_si256(Equal(v, 0x0D), Equal(v, 0x0A)), half);
            m.foreign |= Bits(InRange(v, 0xA0, 0xF7), half);
        }
        if (kMultibyte) {
            utf8Lead |= Bits(InRange(v, 0xC0, 0xFF), half);
            continuation |= Bits(InRange(v, 0x80, 0xBF), half);
            sjisLead |= Bits(_mm256_or_si256(InRange(v, 0x81, 0x9F), InRange(v, 0xE0, 0xFC)), half);
            sjisTrail |= Bits(_mm256_andnot_si256(Equal(v, 0x7F), InRange(v, 0x40, 0xFC)), half);
            euc |= Bits(InRange(v, 0xA1, 0xFE), half);
            escape = _mm256_or_si256(escape, Equal(v, 0x1B));
            plus = _mm256_or_si256(plus, Equal(v, '+'));
        }
    }
    if (kMultibyte) {
        const unsigned next = p[64];
        const unsigned after = p[65];
        m.utf8 = utf8Lead & Following(continuation, 1, IsContinuation(next)) &
                 Following(continuation, 2, IsContinuation(next), IsContinuation(after));
        m.sjis = sjisLead & Following(sjisTrail, 1, IsSjisTrail(next));
        m.euc = euc & Following(euc, 1, IsEucByte(next));
        m.escape = !_mm256_testz_si256(escape, escape);
        m.plus = !_mm256_testz_si256(plus, plus);
    }
    return m;
}

QUELBRIX_VECTOR_TARGET BlockMasks Classify(const unsigned char* p, bool utf16Detail,
                                           bool multibyte) {
    if (utf16Detail)
        return multibyte ? ClassifyBlock<true, true>(p) : ClassifyBlock<true, false>(p);
    return multibyte ? ClassifyBlock<false, true>(p) : ClassifyBlock<false, false>(p);
}

// The counts and pending states that the multibyte tests carry from block to block, held
// apart from MultibyteState so that they stay in registers.
struct PairCounts {
    long utf8, sjis, euc;
    int utf8SkipBytes;
    bool sjisTrailPending, eucTrailPending;
};

PairCounts CountsOf(const MultibyteState& m) {
    return {m.utf8, m.sjis, m.euc, m.utf8SkipBytes, m.sjisTrailPending, m.eucTrailPending};
}

MultibyteState WithCounts(MultibyteState m, const PairCounts& c) {
    m.utf8 = c.utf8;
    m.sjis = c.sjis;
    m.euc = c.euc;
    m.utf8SkipBytes = c.utf8SkipBytes;
    m.sjisTrailPending = c.sjisTrailPending;
    m.eucTrailPending = c.eucTrailPending;
    return m;
}

// The byte-by-byte path for one stretch of the vector pass, which keeps the counts apart.
PairCounts ScanBytesKeepingCounts(const unsigned char* p, std::size_t from, std::size_t to,
                                  MultibyteState& m, PairCounts c) {
    m = ScanMultibyteBytes(p, from, to, WithCounts(m, c));
    return CountsOf(m);
}

// The multibyte tests over 64 positions at once. The three tests are layers: UTF-8 takes
// its positions first (and skips two after each), Shift_JIS pairs are found among the
// positions left, and EUC pairs among those left after that. Within a layer the positions
// left form one sequence, gathered with PEXT, in which a pair is taken at every other
// position of each run of candidates.
__attribute__((always_inline)) QUELBRIX_VECTOR_TARGET inline void TakeBlockPairs(
    const BlockMasks& k, PairCounts& c) {
    const std::uint64_t utf8Candidates = k.utf8;
    const std::uint64_t sjisCandidates = k.sjis;
    const std::uint64_t eucCandidates = k.euc;

    // UTF-8: a candidate's second and third bytes lie in 0x80..0xBF, so neither can begin
    // another candidate; every candidate is taken except where the last block's sequence is
    // still being skipped.
    const std::uint64_t skipped = LowBits(c.utf8SkipBytes);
    const std::uint64_t utf8Taken = utf8Candidates & ~skipped;
    const std::uint64_t consumed = skipped | utf8Taken | utf8Taken << 1 | utf8Taken << 2;
    c.utf8 += _mm_popcnt_u64(utf8Taken);
    // A sequence at bit 62 reaches 1 position into the next block, one at bit 63 two; two
    // candidates are never adjacent, so both bits are never set.
    c.utf8SkipBytes = static_cast<int>(utf8Taken >> 62);

    // Shift_JIS among the positions UTF-8 left; a pending trail clears the first of them.
    const std::uint64_t free1 = ~consumed;
    const int count1 = static_cast<int>(_mm_popcnt_u64(free1));
    const std::uint64_t pending1 = c.sjisTrailPending;
    const std::uint64_t sjisTaken =
        EveryOtherFromRunStart(_pext_u64(sjisCandidates, free1) & ~pending1);
    const std::uint64_t sjisCleared = ((sjisTaken << 1) | pending1) & LowBits(count1);
    c.sjis += _mm_popcnt_u64(sjisTaken);
    if (count1 > 0) c.sjisTrailPending = (sjisTaken >> (count1 - 1)) & 1;

    // EUC among the positions Shift_JIS left. In Shift_JIS text there is seldom a candidate
    // left; a pending trail then only waits for the next free position.
    const std::uint64_t free2 = free1 & ~_pdep_u64(sjisTaken | sjisCleared, free1);
    if ((eucCandidates & free2) == 0) {
        c.eucTrailPending = c.eucTrailPending && free2 == 0;
        return;
    }
    const int count2 = static_cast<int>(_mm_popcnt_u64(free2));
    const std::uint64_t pending2 = c.eucTrailPending;
    const std::uint64_t eucTaken =
        EveryOtherFromRunStart(_pext_u64(eucCandidates, free2) & ~pending2);
    c.euc += _mm_popcnt_u64(eucTaken);
    c.eucTrailPending = (eucTaken >> (count2 - 1)) & 1;
}

// The loop most of a Japanese text runs in: a foreign high byte has been seen and the counts
// have left UTF-7 behind, so only the pairs are taken. Returns at the first block holding a
// zero byte or an ESC, which the caller's loop takes, or where whole blocks end.
QUELBRIX_VECTOR_TARGET std::size_t TakeSteadyBlocks(const unsigned char* p, std::size_t i,
                                                    std::size_t end, PairCounts& counts) {
    PairCounts c = counts;
    for (; i + 64 <= end; i += 64) {
        const BlockMasks k = ClassifyBlock<false, true>(p + i);
        if (k.zero != 0 || k.escape) break;
        TakeBlockPairs(k, c);
    }
    counts = c;
    return i;
}

// Positions that do not fill a block, and blocks holding an ESC, a zero byte, or a plus sign
// while UTF-7 still matters, go byte by byte.
QUELBRIX_VECTOR_TARGET bool ScanBlocksVector(const unsigned char* p, std::size_t end,
                                             Utf16Evidence& utf16, MultibyteState& multibyte,
                                             bool& zeroSeen) {
    MultibyteState m = multibyte;
    PairCounts c = CountsOf(m);
    long lineBreaks = utf16.lineBreaks;
    bool foreign = utf16.foreignHighByte;
    bool multibyteRuns = !zeroSeen && m.escapes == 0;
    std::size_t i = 0;
    for (; i + 64 <= end; i += 64) {
        const bool utf7CanMatter = m.utf7Valid && c.utf8 == 0 && c.sjis == 0 && c.euc == 0;
        if (foreign && multibyteRuns && !utf7CanMatter) {
            i = TakeSteadyBlocks(p, i, end, c);
            if (i + 64 > end) break;
        }
        const BlockMasks k = Classify(p + i, !foreign, multibyteRuns);
        // An even position's following byte is always inside the block.
        const std::uint64_t nextIsZero = k.zero >> 1;
        if (k.zero & nextIsZero & kEvenPositions) return false;
        if (const std::uint64_t breaks = k.lineBreak & nextIsZero & kEvenPositions) {
            lineBreaks += _mm_popcnt_u64(breaks);
        }
        foreign |= (k.foreign & kOddPositions) != 0;

        if (!multibyteRuns) {
            // After a designation only a zero byte can still change the verdict.
            zeroSeen = zeroSeen || k.zero != 0;
            continue;
        }
        const bool utf7Matters = utf7CanMatter && (m.inBase64Run || k.plus);
        if (k.zero != 0) {
            c = ScanBytesKeepingCounts(p, i, i + LowestBit(k.zero), m, c);
            zeroSeen = true;
        } else if (k.escape || utf7Matters) {
            c = ScanBytesKeepingCounts(p, i, i + 64, m, c);
        } else {
            TakeBlockPairs(k, c);
        }
        multibyteRuns = !zeroSeen && m.escapes == 0;
    }
    utf16.lineBreaks = lineBreaks;
    utf16.foreignHighByte = foreign;
    std::size_t firstZero = kNoZero;
    if (!ScanUtf16Bytes(p, i, end, utf16, firstZero)) return false;
    if (multibyteRuns) c = ScanBytesKeepingCounts(p, i, std::min(end, firstZero), m, c);
    if (firstZero != kNoZero) zeroSeen = true;
    multibyte = WithCounts(m, c);
    return true;
}

}  // namespace

bool BlockScanAvailable() {
    static const bool available = __builtin_cpu_supports("avx2") &&
                                  __builtin_cpu_supports("bmi2") &&
                                  __builtin_cpu_supports("popcnt");
    return available;
}

bool ScanBlocks(const unsigned char* p, std::size_t end, Utf16Evidence& utf16,
                MultibyteState& multibyte, bool& zeroSeen) {
    return ScanBlocksVector(p, end, utf16, multibyte, zeroSeen);
}

#else

bool BlockScanAvailable() { return false; }

bool ScanBlocks(const unsigned char* p, std::size_t end, Utf16Evidence& utf16,
                MultibyteState& multibyte, bool& zeroSeen) {
    std::size_t firstZero = kNoZero;
    if (!ScanUtf16Bytes(p, 0, end, utf16, firstZero)) return false;
    multibyte = ScanMultibyteBytes(p, 0, std::min(end, firstZero), multibyte);
    zeroSeen = firstZero != kNoZero;
    return true;
}

#endif

}  // namespace quelbrix
