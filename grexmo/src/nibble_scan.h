// Candidate starts of a few short byte patterns, 16 positions at a time, by the two halves
// of each byte: per distance from the start, two 16-byte tables give for the low and for
// the high half of a byte the patterns (up to eight buckets, one bit each) that allow some
// byte with that half there. A position passes when one bucket's bit survives both halves
// at every chosen distance, so patterns in different buckets never mix their bytes the way
// one union per distance does (会議|予算 lets through neither 会算 nor 予議). The lookup is
// pshufb, SSSE3, chosen at run time; elsewhere the caller keeps its SSE2 or plain loop.
// A superset of the patterns' starts: every candidate still has to be checked.
#ifndef GREXMO_NIBBLE_SCAN_H
#define GREXMO_NIBBLE_SCAN_H

#include <cstddef>

namespace grexmo {

struct NibbleMasks {
    static constexpr int kDistances = 3;  // fewer distances repeat the last one
    unsigned char lo[kDistances][16];
    unsigned char hi[kDistances][16];
    unsigned char distance[kDistances];
    int count = 0;  // distances chosen; 0: no tables
};

// Adds the byte `b` at distance slot `slot` to the bucket `bucket` (0 to 7).
void AddToNibbleMasks(NibbleMasks* masks, int slot, int bucket, unsigned char b);

// Whether this build and CPU run the scan.
bool NibbleScanAvailable();

// Scans start positions from `from` on in blocks of 16 while a block's bytes at every
// distance lie before `end`. Returns the first block's start that holds a candidate, with
// bit j of *hits set for each candidate start + j and buckets[j] the buckets that passed
// there; when there is none, the first start position it did not scan, with *hits = 0.
// Requires NibbleScanAvailable().
std::size_t ScanNibbleBlocks(const unsigned char* text, std::size_t from, std::size_t end,
                             const NibbleMasks& masks, unsigned* hits,
                             unsigned char (&buckets)[16]);

}  // namespace grexmo

#endif
