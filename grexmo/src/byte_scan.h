// The innermost loop of the literal search: positions where two given bytes stand at two
// given distances, checked 16 positions at a time. Two bytes at once leave far fewer false
// candidates than one, whatever the bytes are.
#ifndef GREXMO_BYTE_SCAN_H
#define GREXMO_BYTE_SCAN_H

#include "nibble_scan.h"

#include <cstddef>

namespace grexmo {

struct BytePair {
    unsigned char first;
    std::size_t firstOffset;
    unsigned char second;
    std::size_t secondOffset;
};

// The first i in [from, end - span] with text[i + firstOffset] == first and
// text[i + secondOffset] == second, where span = 1 + the larger offset; SIZE_MAX when there
// is none. Reads only text[from, end).
std::size_t FindBytePair(const unsigned char* text, std::size_t from, std::size_t end,
                         const BytePair& pair);

// Up to four ranges of byte values, lo to lo + width each (at most 0xFF).
struct ByteRanges {
    static constexpr int kMax = 4;
    unsigned char lo[kMax];
    unsigned char width[kMax];
    int count;
};

// The first i in [from, end) whose byte lies in one of the ranges; SIZE_MAX when none.
std::size_t FindByteInRanges(const unsigned char* text, std::size_t from, std::size_t end,
                             const ByteRanges& ranges);

// The same in Shift_JIS text where `from` is a character boundary, passing over positions
// that are surely the second byte of a double-byte character: a trail value after a lead
// value that follows a byte of no lead value (which always ends a character) or stands at
// `from`. An ASCII letter in kanji text mostly is such a byte. Other positions found still
// need the boundary check.
std::size_t FindByteInRangesSkippingTrails(const unsigned char* text, std::size_t from,
                                           std::size_t end, const ByteRanges& ranges);

// A few short byte patterns, each a run of byte sets: the first bytes a hit can begin with,
// where one byte alone would stop the scan too often (a kana lead byte, a folded word's many
// first bytes). The scan tests 16 positions at once, by the patterns' nibble tables where
// the CPU has them (each pattern's own bytes at its rarest distances), else against the
// union of the patterns' sets at each of the first few distances from the start, and checks
// the few positions that pass against each pattern.
struct BytePrefixSet {
    static constexpr int kMaxPrefixes = 16;
    static constexpr int kMaxLength = 4;
    static constexpr int kMaxUnions = 3;
    ByteRanges at[kMaxPrefixes][kMaxLength];  // the bytes allowed at each position
    int length[kMaxPrefixes];                 // 1 to kMaxLength
    int count;
    ByteRanges unions[kMaxUnions];  // at distances 0, 1, ...: a superset of every pattern's
    int unionCount;                 // at most the shortest pattern's length
    NibbleMasks nibbles;            // from ChooseNibbleMasks; none when count is 0
    unsigned char bucket[kMaxPrefixes];  // each pattern's bit in the nibble tables
};

// Fills set->nibbles: of the distances every pattern reaches, the three at which the
// patterns' bytes are rarest together in Japanese text (a kana lead stands at every other
// byte; a kanji lead, a trail value or a half-width kana far less often), with neighbouring
// patterns sharing a bucket when there are more than eight. None for a single pattern.
void ChooseNibbleMasks(BytePrefixSet* set);

// The first i in [from, end) where one of the prefixes matches the bytes from i on; positions
// at or past `end` match anything. SIZE_MAX when none. Reads only text[from, end).
std::size_t FindBytePrefix(const unsigned char* text, std::size_t from, std::size_t end,
                           const BytePrefixSet& set);

}  // namespace grexmo

#endif
