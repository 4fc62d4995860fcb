// DetectKanjiCode on any bytes: the vector path and the byte-by-byte path gather the same
// evidence as the plain reference detector, and the verdict is the reference's. The data lies
// in a buffer of exactly its size plus the terminating zero, so a read past it is caught.
#include <vector>

#include "fuzz_check.h"
#include "kanji/kanji_code.h"
#include "kanji_evidence.h"
#include "reference_detector.h"

using namespace quelbrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<char> buffer(text.c_str(), text.c_str() + size + 1);
    const auto length = static_cast<std::int32_t>(size);
    const KanjiEvidence want = testing::ReferenceEvidence(text);
    for (DetectorPath path : {DetectorPath::kFastest, DetectorPath::kPortable}) {
        const std::string difference =
            testing::EvidenceDifference(GatherKanjiEvidence(buffer.data(), length, path), want);
        FUZZ_CHECK(
            difference.empty(),
            difference + (path == DetectorPath::kFastest ? " (vector path)" : " (byte path)"));
    }
    FUZZ_CHECK(DetectKanjiCode(buffer.data(), length) == VerdictOf(want),
               KanjiCodeName(VerdictOf(want)));
    return 0;
}
