// The detector's tests stated as plainly as possible, one position at a time with nothing
// left out, for checking the engine's detector against.
#ifndef QUELBRIX_TESTS_KANJI_REFERENCE_DETECTOR_H
#define QUELBRIX_TESTS_KANJI_REFERENCE_DETECTOR_H

#include <string>

#include "kanji_evidence.h"

namespace quelbrix::testing {

// `bytes` is the data; the terminating zero is added here.
KanjiEvidence ReferenceEvidence(const std::string& bytes);

// The first part of the evidence `got` where it differs from `want` in what decides the
// verdict ("" when none), e.g. "sjis"; parts that no longer count are not compared.
std::string EvidenceDifference(const KanjiEvidence& got, const KanjiEvidence& want);

}  // namespace quelbrix::testing

#endif
