#include <algorithm>
#include <cstddef>

#include "kanji_code.h"
#include "kanji_evidence.h"

// The vector path needs SSE2, BMI2 (PEXT, PDEP) and POPCNT; the processor is asked for the
// last two at run time. Elsewhere the detector goes byte by byte.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QUELBRIX_DETECT_BMI2 1
#endif

namespace quelbrix {
namespace {

// ---------------------------------------------------------------------------------------------
// Byte by byte: the tests exactly as they are stated, one position at a time.

// What each byte value can be in the multibyte tests.
enum ByteClass : unsigned char {
    kUtf8Lead = 1,   // 0xC0..0xFF
    kUtf8Tail = 2,   // 0x80..0xBF
    kSjisLead = 4,   // 0x81..0x9F, 0xE0..0xFC
    kSjisTrail = 8,  // 0x40..0x7E, 0x80..0xFC
    kEucByte = 16,   // 0xA1..0xFE
};

constexpr unsigned char ClassOf(unsigned c) {
    return static_cast<unsigned char>(
        (c >= 0xC0 ? kUtf8Lead : 0) | (c >= 0x80 && c <= 0xBF ? kUtf8Tail : 0) |
        ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? kSjisLead : 0) |
        ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC) ? kSjisTrail : 0) |
        (c >= 0xA1 && c <= 0xFE ? kEucByte : 0));
}

struct ByteClassTable {
    unsigned char of[256];
    constexpr ByteClassTable() : of() {
        for (unsigned c = 0; c < 256; ++c) of[c] = ClassOf(c);
    }
};
constexpr ByteClassTable kClass;

bool IsBase64Char(unsigned c) { return c < 0x80 && Base64ValueTable[c] != -1; }

// A UTF-16 high byte that Japanese text does not use (Hangul, surrogates, private use).
bool IsForeignHighByte(unsigned c) { return c >= 0xA0 && c <= 0xF7; }

// The designations of JIS X 0208-1978, JIS X 0208-1983 and JIS X 0213 planes 1 and 2. Each
// byte is compared before the next is read, so the terminating 0 is never passed.
bool IsKanjiDesignation(const unsigned char* p) {
    if (p[0] != 0x1B || p[1] != '$') return false;
    return p[2] == '@' || p[2] == 'B' || (p[2] == '(' && (p[3] == 'O' || p[3] == 'P'));
}

struct Utf16Evidence {
    long lineBreaks = 0;
    bool foreignHighByte = false;
};

// The state of the UTF-7 and multibyte tests between stretches of positions.
struct MultibyteState {
    bool utf7Valid = true;
    bool inBase64Run = false;
    long escapes = 0;
    long utf8 = 0;
    int utf8SkipBytes = 0;
    long sjis = 0;
    bool sjisTrailPending = false;
    long euc = 0;
    bool eucTrailPending = false;
};

constexpr std::size_t kNoZero = static_cast<std::size_t>(-1);

// The UTF-16 tests at positions [from, to), `from` even. False at two zero bytes starting at
// an even position; otherwise `firstZero` is the first position holding a zero, or kNoZero.
bool ScanUtf16Bytes(const unsigned char* p, std::size_t from, std::size_t to, Utf16Evidence& u,
                    std::size_t& firstZero) {
    for (std::size_t i = from; i < to; ++i) {
        const unsigned c = p[i];
        if (i % 2 == 0) {
            const unsigned d = p[i + 1];
            if (c == 0 && d == 0) return false;
            if ((c == 0x0D || c == 0x0A) && d == 0) ++u.lineBreaks;
        } else if (IsForeignHighByte(c)) {
            u.foreignHighByte = true;
        }
        if (c == 0 && firstZero == kNoZero) firstZero = i;
    }
    return true;
}

// The UTF-7 and multibyte tests at positions [from, to), none of which holds a zero byte.
// Works on a copy so that the state stays in registers while the bytes are read.
MultibyteState ScanMultibyteBytes(const unsigned char* p, std::size_t from, std::size_t to,
                                  MultibyteState m) {
    for (std::size_t i = from; i < to; ++i) {
        const unsigned c = p[i];
        if (m.utf7Valid) {
            if (!m.inBase64Run) {
                m.inBase64Run = c == '+';
            } else if (c == '-') {
                m.inBase64Run = false;
            } else if (!IsBase64Char(c)) {
                m.utf7Valid = false;
            }
        }
        // In order of precedence: the first test that fits is the only one taken.
        if (c == 0x1B && IsKanjiDesignation(p + i)) {
            ++m.escapes;
            continue;
        }
        const unsigned cc = kClass.of[c];
        const unsigned cd = kClass.of[p[i + 1]];
        if (m.utf8SkipBytes == 0) {
            if ((cc & kUtf8Lead) && (cd & kUtf8Tail) && (kClass.of[p[i + 2]] & kUtf8Tail)) {
                ++m.utf8;
                m.utf8SkipBytes = 2;
                continue;
            }
        } else {
            --m.utf8SkipBytes;
            continue;
        }
        if (m.sjisTrailPending) {
            m.sjisTrailPending = false;
            continue;
        }
        if ((cc & kSjisLead) && (cd & kSjisTrail)) {
            ++m.sjis;
            m.sjisTrailPending = true;
            continue;
        }
        if (m.eucTrailPending) {
            m.eucTrailPending = false;
        } else if ((cc & kEucByte) && (cd & kEucByte)) {
            ++m.euc;
            m.eucTrailPending = true;
        }
    }
    return m;
}

// ---------------------------------------------------------------------------------------------
// 64 positions at a time: each test becomes a 64-bit mask, bit j for position block + j.

#ifdef QUELBRIX_DETECT_BMI2

#define QUELBRIX_BMI2 __attribute__((target("bmi2,popcnt")))

constexpr std::uint64_t kEvenPositions = 0x5555555555555555ULL;
constexpr std::uint64_t kOddPositions = ~kEvenPositions;

int LowestBit(std::uint64_t x) { return __builtin_ctzll(x); }

// Bytes of `v` in [low, high], as 0xFF lanes.
__m128i InRange(__m128i v, unsigned char low, unsigned char high) {
    const __m128i offset = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(low)));
    const __m128i above = _mm_subs_epu8(offset, _mm_set1_epi8(static_cast<char>(high - low)));
    return _mm_cmpeq_epi8(above, _mm_setzero_si128());
}

__m128i Equal(__m128i v, unsigned char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(c))); }

std::uint64_t Bits(__m128i lanes, int quarter) {
    return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lanes))) << (16 * quarter);
}

// For each run of consecutive set bits, the bits at even offsets from the run's start: the
// pairs that a left-to-right scan takes when a taken position makes the next one its trail.
QUELBRIX_BMI2 std::uint64_t EveryOtherFromRunStart(std::uint64_t x) {
    const std::uint64_t starts = x & ~(x << 1);
    // Adding a run's start bit clears the whole run; only runs starting at even bits get one.
    const std::uint64_t evenRuns = x & ~(x + (starts & kEvenPositions));
    const std::uint64_t oddRuns = x & ~evenRuns;
    return (evenRuns & kEvenPositions) | (oddRuns & kOddPositions);
}

QUELBRIX_BMI2 std::uint64_t LowBits(int n) { return n >= 64 ? ~0ULL : (1ULL << n) - 1; }

// The tests' predicates over the 64 positions of a block, bit j for position block + j.
struct BlockMasks {
    std::uint64_t zero, lineBreak, foreign;      // bytes: zero, CR or LF, 0xA0..0xF7
    std::uint64_t utf8, sjis, euc;               // candidates: the byte and the next one or two fit
    bool escape, plus;                           // the block holds an ESC / a plus sign
};

// Only the masks that can still change the verdict are made: the UTF-16 line breaks and
// foreign high bytes until a foreign high byte has been seen, the multibyte ones while the
// multibyte tests still run. Reads the bytes block + 0 .. block + 65.
template <bool kUtf16Detail, bool kMultibyte>
QUELBRIX_BMI2 BlockMasks ClassifyBlock(const unsigned char* p) {
    BlockMasks m{};
    const __m128i c0 = _mm_set1_epi8(-64);  // 0xC0 as a signed byte: 0x80..0xBF lie below it
    __m128i escape = _mm_setzero_si128();
    __m128i plus = _mm_setzero_si128();
    for (int q = 0; q < 4; ++q) {
        const unsigned char* at = p + 16 * q;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        m.zero |= Bits(Equal(v, 0), q);
        if (kUtf16Detail) {
            m.lineBreak |= Bits(_mm_or_si128(Equal(v, 0x0D), Equal(v, 0x0A)), q);
            m.foreign |= Bits(InRange(v, 0xA0, 0xF7), q);
        }
        if (kMultibyte) {
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
            const __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 2));
            const __m128i utf8Lead = _mm_andnot_si128(_mm_cmplt_epi8(v, c0), _mm_cmplt_epi8(v, _mm_setzero_si128()));
            m.utf8 |= Bits(_mm_and_si128(utf8Lead, _mm_and_si128(_mm_cmplt_epi8(next, c0), _mm_cmplt_epi8(after, c0))), q);
            const __m128i sjisLead = _mm_or_si128(InRange(v, 0x81, 0x9F), InRange(v, 0xE0, 0xFC));
            const __m128i sjisTrail = _mm_andnot_si128(Equal(next, 0x7F), InRange(next, 0x40, 0xFC));
            m.sjis |= Bits(_mm_and_si128(sjisLead, sjisTrail), q);
            m.euc |= Bits(_mm_and_si128(InRange(v, 0xA1, 0xFE), InRange(next, 0xA1, 0xFE)), q);
            escape = _mm_or_si128(escape, Equal(v, 0x1B));
            plus = _mm_or_si128(plus, Equal(v, '+'));
        }
    }
    m.escape = _mm_movemask_epi8(escape) != 0;
    m.plus = _mm_movemask_epi8(plus) != 0;
    return m;
}

QUELBRIX_BMI2 BlockMasks Classify(const unsigned char* p, bool utf16Detail, bool multibyte) {
    if (utf16Detail) return multibyte ? ClassifyBlock<true, true>(p) : ClassifyBlock<true, false>(p);
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
__attribute__((always_inline)) QUELBRIX_BMI2 inline void TakeBlockPairs(const BlockMasks& k,
                                                                         PairCounts& c) {
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
    const std::uint64_t sjisTaken = EveryOtherFromRunStart(_pext_u64(sjisCandidates, free1) & ~pending1);
    const std::uint64_t sjisCleared = ((sjisTaken << 1) | pending1) & LowBits(count1);
    c.sjis += _mm_popcnt_u64(sjisTaken);
    if (count1 > 0) c.sjisTrailPending = (sjisTaken >> (count1 - 1)) & 1;

    // EUC among the positions Shift_JIS left.
    const std::uint64_t free2 = free1 & ~_pdep_u64(sjisTaken | sjisCleared, free1);
    const int count2 = static_cast<int>(_mm_popcnt_u64(free2));
    const std::uint64_t pending2 = c.eucTrailPending;
    const std::uint64_t eucTaken = EveryOtherFromRunStart(_pext_u64(eucCandidates, free2) & ~pending2);
    c.euc += _mm_popcnt_u64(eucTaken);
    if (count2 > 0) c.eucTrailPending = (eucTaken >> (count2 - 1)) & 1;
}

// The whole pass over the data, 64 positions at a time. Positions that do not fill a block,
// and blocks holding an ESC, a zero byte, or a plus sign while UTF-7 still matters, go byte by
// byte. Returns false at the binary exit.
QUELBRIX_BMI2 bool ScanVector(const unsigned char* p, std::size_t end, Utf16Evidence& utf16,
                               MultibyteState& multibyte, bool& zeroSeen) {
    MultibyteState m = multibyte;
    PairCounts c = CountsOf(m);
    long lineBreaks = utf16.lineBreaks;
    bool foreign = utf16.foreignHighByte;
    bool multibyteRuns = !zeroSeen && m.escapes == 0;
    std::size_t i = 0;
    for (; i + 64 <= end; i += 64) {
        const BlockMasks k = Classify(p + i, !foreign, multibyteRuns);
        // An even position's following byte is always inside the block.
        const std::uint64_t nextIsZero = k.zero >> 1;
        if (k.zero & nextIsZero & kEvenPositions) return false;
        if (const std::uint64_t breaks = k.lineBreak & nextIsZero & kEvenPositions) {
            lineBreaks += _mm_popcnt_u64(breaks);
        }
        foreign |= (k.foreign & kOddPositions) != 0;

        if (!multibyteRuns) continue;
        const bool utf7Matters = m.utf7Valid && c.utf8 == 0 && c.sjis == 0 && c.euc == 0 &&
                                 (m.inBase64Run || k.plus);
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
    if (multibyteRuns) {
        c = ScanBytesKeepingCounts(p, i, std::min(end, firstZero), m, c);
        zeroSeen = firstZero != kNoZero;
    }
    multibyte = WithCounts(m, c);
    return true;
}

bool ProcessorHasBmi2() {
    static const bool has = __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
    return has;
}

#endif  // QUELBRIX_DETECT_BMI2

}  // namespace

const std::int8_t Base64ValueTable[128] = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x00
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x10
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 62, -1, -1, -1, 63,  // 0x20
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61, -1, -1, -1, -1, -1, -1,  // 0x30
    -1,  0,  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14,  // 0x40
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, -1, -1, -1, -1, -1,  // 0x50
    -1, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,  // 0x60
    41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, -1, -1, -1, -1, -1,  // 0x70
};

// One forward pass in blocks: the UTF-16 tests over each block, then the multibyte tests over
// the same block while they still apply. Those stop at the first zero byte, and after the
// first kanji designation, because the verdict is then JIS unless UTF-16 or a zero decide it.
KanjiEvidence GatherKanjiEvidence(const char* data, std::int32_t length, DetectorPath path) {
    KanjiEvidence evidence;
    if (length < 2) return evidence;
    evidence.examined = true;
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    // The last byte is only ever looked at as the one after the current position.
    const std::size_t end = static_cast<std::size_t>(length) - 1;

    Utf16Evidence utf16;
    MultibyteState multibyte;
    bool vector = false;
#ifdef QUELBRIX_DETECT_BMI2
    vector = path == DetectorPath::Fastest && ProcessorHasBmi2();
    if (vector && !ScanVector(p, end, utf16, multibyte, evidence.zeroSeen)) {
        evidence.binaryExit = true;
        return evidence;
    }
#endif
    constexpr std::size_t kBlock = 256;  // even, so that every block starts at an even position
    for (std::size_t from = 0; !vector && from < end; from += kBlock) {
        const std::size_t to = std::min(from + kBlock, end);
        std::size_t firstZero = kNoZero;
        if (!ScanUtf16Bytes(p, from, to, utf16, firstZero)) {
            evidence.binaryExit = true;
            return evidence;
        }
        if (evidence.zeroSeen || multibyte.escapes > 0) continue;
        multibyte = ScanMultibyteBytes(p, from, std::min(to, firstZero), multibyte);
        evidence.zeroSeen = firstZero != kNoZero;
    }
    evidence.utf16LineBreaks = utf16.lineBreaks;
    evidence.foreignHighByte = utf16.foreignHighByte;
    evidence.utf7Valid = multibyte.utf7Valid;
    evidence.escapes = multibyte.escapes;
    evidence.utf8 = multibyte.utf8;
    evidence.sjis = multibyte.sjis;
    evidence.euc = multibyte.euc;
    return evidence;
}

KanjiCode VerdictOf(const KanjiEvidence& e) {
    if (!e.examined) return KC_UNDECIDED;
    if (e.binaryExit) return KC_BINARY;
    if (e.utf16LineBreaks > 0 && !e.foreignHighByte) return KC_UNICODE;
    if (e.zeroSeen) return KC_BINARY;
    if (e.escapes > 0) return KC_JIS;
    if (e.utf8 > e.sjis && e.utf8 > e.euc) return KC_UTF8;
    if (e.sjis > e.euc && e.sjis > e.utf8) return KC_SJIS;
    if (e.euc > e.sjis && e.euc > e.utf8) return KC_EUC;
    if (e.utf8 == 0 && e.sjis == 0 && e.euc == 0) return e.utf7Valid ? KC_UTF7 : KC_ASCII;
    return KC_UNDECIDED;
}

KanjiCode DetectKanjiCode(const char* data, std::int32_t length) {
    return VerdictOf(GatherKanjiEvidence(data, length, DetectorPath::Fastest));
}

const char* KanjiCodeName(KanjiCode code) {
    switch (code) {
        case KC_ASCII: return "ASCII";
        case KC_JIS: return "JIS";
        case KC_SJIS: return "SJIS";
        case KC_EUC: return "EUC";
        case KC_UNICODE: return "UNICODE";
        case KC_UTF8: return "UTF8";
        case KC_UTF7: return "UTF7";
        case KC_UNDECIDED: return "UNDECIDED";
        case KC_BINARY: return "BINARY";
    }
    return "UNKNOWN";
}

}  // namespace quelbrix
