// The two ways the detector walks the data, shared by detect_kanji_code.cpp: byte by byte
// (kanji_scan_bytes.cpp) and 64 positions at a time (kanji_scan_blocks.cpp). Both gather the
// same evidence; the tests hold them against each other.
#ifndef QUELBRIX_KANJI_SCAN_H
#define QUELBRIX_KANJI_SCAN_H

#include <cstddef>

namespace quelbrix {

// Evidence of UTF-16 little-endian text, gathered at every position.
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
                    std::size_t& firstZero);

// The UTF-7 and multibyte tests at positions [from, to), none of which holds a zero byte.
MultibyteState ScanMultibyteBytes(const unsigned char* p, std::size_t from, std::size_t to,
                                  MultibyteState m);

// Whether ScanBlocks has its vector path on this processor.
bool BlockScanAvailable();

// The whole pass over positions [0, end) in blocks of 64: the UTF-16 tests everywhere, the
// multibyte tests until the first zero byte or kanji designation; `zeroSeen` is set by a zero
// byte wherever it lies. False
// at the binary exit.
bool ScanBlocks(const unsigned char* p, std::size_t end, Utf16Evidence& utf16,
                MultibyteState& multibyte, bool& zeroSeen);

}  // namespace quelbrix

#endif
