#include <algorithm>
#include <cstddef>

#include "kanji/kanji_code.h"
#include "kanji_evidence.h"
#include "kanji_scan.h"

namespace quelbrix {

const std::int8_t Base64ValueTable[128] = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x00
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x10
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 62, -1, -1, -1, 63,  // 0x20
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61, -1, -1, -1, -1, -1, -1,  // 0x30
    -1, 0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,  // 0x40
    15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, -1, -1, -1, -1, -1,  // 0x50
    -1, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40,  // 0x60
    41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, -1, -1, -1, -1, -1,  // 0x70
};

// One forward pass in blocks: the UTF-16 tests over each block, then the multibyte tests over
// the same block while they still apply. Those stop at the first zero byte, and after the
// first kanji designation, because the verdict is then JIS unless UTF-16 or a zero decide it.
// The vector path does the same in blocks of 64 (kanji_scan_blocks.cpp).
KanjiEvidence GatherKanjiEvidence(const char* data, std::int32_t length, DetectorPath path) {
    KanjiEvidence evidence;
    if (length < 2) return evidence;
    evidence.examined = true;
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    // The last byte is only ever looked at as the one after the current position.
    const std::size_t end = static_cast<std::size_t>(length) - 1;

    Utf16Evidence utf16;
    MultibyteState multibyte;
    const bool vector = path == DetectorPath::kFastest && BlockScanAvailable();
    if (vector && !ScanBlocks(p, end, utf16, multibyte, evidence.zeroSeen)) {
        evidence.binaryExit = true;
        return evidence;
    }
    constexpr std::size_t kBlock = 256;  // even, so that every block starts at an even position
    for (std::size_t from = 0; !vector && from < end; from += kBlock) {
        const std::size_t to = std::min(from + kBlock, end);
        std::size_t firstZero = kNoZero;
        if (!ScanUtf16Bytes(p, from, to, utf16, firstZero)) {
            evidence.binaryExit = true;
            return evidence;
        }
        if (!evidence.zeroSeen && multibyte.escapes == 0) {
            multibyte = ScanMultibyteBytes(p, from, std::min(to, firstZero), multibyte);
        }
        // Kept up after a designation too: a zero byte anywhere makes the verdict binary.
        if (firstZero != kNoZero) evidence.zeroSeen = true;
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
    return VerdictOf(GatherKanjiEvidence(data, length, DetectorPath::kFastest));
}

const char* KanjiCodeName(KanjiCode code) {
    switch (code) {
    case KC_ASCII:
        return "ASCII";
    case KC_JIS:
        return "JIS";
    case KC_SJIS:
        return "SJIS";
    case KC_EUC:
        return "EUC";
    case KC_UNICODE:
        return "UNICODE";
    case KC_UTF8:
        return "UTF8";
    case KC_UTF7:
        return "UTF7";
    case KC_UNDECIDED:
        return "UNDECIDED";
    case KC_BINARY:
        return "BINARY";
    case KC_UNICODE_BE:
        return "UNICODE_BE";
    }
    return "UNKNOWN";
}

}  // namespace quelbrix