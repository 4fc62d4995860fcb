// What the detector gathers on its way to a verdict, and the two ways it can gather it.
// DetectKanjiCode (kanji_code.h) is the interface; this header is for the detector's own
// tests, which check the vector path against the portable one.
#ifndef QUELBRIX_KANJI_EVIDENCE_H
#define QUELBRIX_KANJI_EVIDENCE_H

#include <cstdint>

#include "kanji/kanji_code.h"

namespace quelbrix {

struct KanjiEvidence {
    bool examined = false;         // false for fewer than 2 bytes
    bool binaryExit = false;       // two zero bytes from an even position; nothing else counts
    long utf16LineBreaks = 0;      // CR or LF code units; not kept up after a foreign byte
    bool foreignHighByte = false;  // an odd position held 0xA0..0xF7
    bool zeroSeen = false;         // a zero byte was met; the multibyte tests stop there
    bool utf7Valid = true;         // meaningful only while the three counts are 0
    long escapes = 0;              // the multibyte tests stop after the first designation
    long utf8 = 0;
    long sjis = 0;
    long euc = 0;
};

enum class DetectorPath {
    kFastest,   // the vector paths where the processor has them
    kPortable,  // byte by byte only
};

KanjiEvidence GatherKanjiEvidence(const char* data, std::int32_t length, DetectorPath path);

KanjiCode VerdictOf(const KanjiEvidence& evidence);

}  // namespace quelbrix

#endif
