// The innermost loop of the literal search: positions where two given bytes stand at two
// given distances, checked 16 positions at a time. Two bytes at once leave far fewer false
// candidates than one, whatever the bytes are.
#ifndef GREXMO_BYTE_SCAN_H
#define GREXMO_BYTE_SCAN_H

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

}  // namespace grexmo

#endif
