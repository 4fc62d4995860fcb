// The detector's vector and byte-by-byte paths against the plain reference, over texts made
// to exercise every test and the block boundaries.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kanji_evidence.h"
#include "reference_detector.h"

namespace quelbrix {
namespace {

// Text pieces of each kind the detector looks for; random strings of them mix the kinds.
const std::vector<std::string>& Pieces() {
    static const std::vector<std::string> pieces = {"a",
                                                    "b",
                                                    "Z",
                                                    " ",
                                                    "\r\n",
                                                    "+",
                                                    "-",
                                                    "+AB-",
                                                    "/",
                                                    "\x1B$B",
                                                    "\x1B(B",
                                                    "\x1B(I",
                                                    "\x1B$(O",
                                                    "\x1B$",
                                                    "\x82\xA0",
                                                    "\x93\xFA",
                                                    "\xE0\x40",
                                                    "\xEA\xA4",
                                                    "\x83\x5C",
                                                    "\xA4\xA2",
                                                    "\xB0\xA1",
                                                    "\xC9\xBD",
                                                    "\xF4\xFE",
                                                    "\x8E\xB1",
                                                    "\x8F\xB0\xA1",
                                                    "\xE3\x81\x82",
                                                    "\xEF\xBB\xBF",
                                                    "\xC3\xA9",
                                                    "\x80",
                                                    "\xBF",
                                                    "\xFF",
                                                    "\xFD",
                                                    "\xA0",
                                                    std::string(1, '\0'),
                                                    std::string("\r\0", 2),
                                                    std::string("\n\0", 2),
                                                    std::string("A\0", 2),
                                                    std::string("\0\0", 2),
                                                    std::string("\x42\x30", 2),
                                                    std::string("\x00\xAC", 2)};
    return pieces;
}

std::string RandomText(std::mt19937& random, std::size_t pieces, bool allowZero) {
    const auto& all = Pieces();
    std::uniform_int_distribution<std::size_t> pick(0, all.size() - 1);
    std::string text;
    while (pieces-- > 0) {
        const std::string& piece = all[pick(random)];
        if (!allowZero && piece.find('\0') != std::string::npos) continue;
        text += piece;
    }
    return text;
}

void ExpectSameEvidence(const std::string& text, DetectorPath path) {
    const KanjiEvidence want = testing::ReferenceEvidence(text);
    const auto length = static_cast<std::int32_t>(text.size());
    const std::string buffer = text + '\0';
    const KanjiEvidence got = GatherKanjiEvidence(buffer.data(), length, path);
    ASSERT_EQ(testing::EvidenceDifference(got, want), "");
}

class DetectorPaths : public ::testing::TestWithParam<DetectorPath> {};

TEST_P(DetectorPaths, AgreeWithTheReferenceOnMixedText) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t pieces = 1 + random() % 400;
        const std::string text = RandomText(random, pieces, round % 4 == 0);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(text.size()) +
                     " bytes");
        ExpectSameEvidence(text, GetParam());
        if (HasFatalFailure()) return;
    }
}

TEST_P(DetectorPaths, AgreeWithTheReferenceOnTextDenseInOneKind) {
    // Long stretches of one kind leave a block with very few positions for the next layer.
    const std::vector<std::vector<std::string>> pools = {
        {"\x82\xA0", "\x82\xA0", "\x93\xFA", "\xE0\x40", "a", "\xA4\xA2"},
        {"\xA4\xA2", "\xB0\xA1", "\xA4\xA2", "\xE4\xA2", "\x82\xA0", "b"},
        {"\xE3\x81\x82", "\xE3\x81\x82", "\xE6\x97\xA5", "\xA4\xA2", "\x82\xA0", "\xC3\xA9"},
        {"\x82\xA0\x82\xA0\x82\xA0\x82\xA0", "\xA1", "\xA4\xA2", "\x81"},
        {"\x42\x30", std::string("A\0", 2), std::string("\r\0\n\0", 4), "\x22\x6F"}};
    std::mt19937 random(99);
    for (int round = 0; round < 4000; ++round) {
        const auto& pool = pools[round % pools.size()];
        std::string text;
        const std::size_t pieces = 1 + random() % 200;
        for (std::size_t k = 0; k < pieces; ++k) text += pool[random() % pool.size()];
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectSameEvidence(text, GetParam());
        if (HasFatalFailure()) return;
    }
}

TEST_P(DetectorPaths, PendingTrailCarriesOverTheOneFreePositionOfABlock) {
    // 21 UTF-8 sequences take positions 0..62; position 63 alone is left for the pairs.
    std::string utf8;
    for (int k = 0; k < 21; ++k) utf8 += "\xE3\x81\x82";
    for (const std::string& rest : {std::string("\x82\x82\xA0"), std::string("\xA4\xA4\xA2")}) {
        std::string text = utf8 + rest;
        while (text.size() < 200) text += "\xA4\xA2\x82\xA0";
        ExpectSameEvidence(text, GetParam());
    }
}

TEST_P(DetectorPaths, AgreeWithTheReferenceOnRandomBytes) {
    std::mt19937 random(4);
    for (int round = 0; round < 2000; ++round) {
        std::string text(1 + random() % 700, '\0');
        // Mostly high bytes, where the three kinds of pairs compete.
        for (char& c : text)
            c = static_cast<char>(random() % 4 == 0 ? 0x20 + random() % 0x60
                                                    : 0x80 + random() % 0x80);
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectSameEvidence(text, GetParam());
        if (HasFatalFailure()) return;
    }
}

TEST_P(DetectorPaths, AgreeAtEveryLengthAroundTheBlocks) {
    std::mt19937 random(7);
    const std::string text = RandomText(random, 400, false);
    for (std::size_t length = 0; length <= 600 && length <= text.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        ExpectSameEvidence(text.substr(0, length), GetParam());
        if (HasFatalFailure()) return;
    }
}

TEST_P(DetectorPaths, DesignationOrZeroInsideLongShiftJisTextIsSeenAtEveryPosition) {
    // Blocks of plain Shift_JIS pairs run in their own loop, which hands over at these bytes.
    std::string sjis;
    while (sjis.size() < 600) sjis += "\x82\xA0\x93\xFA\xE0\x40 ";
    for (const std::string& inserted : {std::string("\x1B$B", 3), std::string(1, '\0')}) {
        for (std::size_t at = 250; at < 330; ++at) {
            SCOPED_TRACE("at " + std::to_string(at));
            ExpectSameEvidence(sjis.substr(0, at) + inserted + sjis.substr(at), GetParam());
            if (HasFatalFailure()) return;
        }
    }
}

TEST_P(DetectorPaths, ZeroByteAfterADesignationIsBinaryWhereverItLies) {
    // The multibyte tests stop at the designation, but a later zero still decides the verdict.
    std::string text = "\x1B$B$\"";
    while (text.size() < 700) text += "ab";
    for (std::size_t zeroAt = 5; zeroAt + 1 < text.size(); zeroAt += 7) {
        std::string withZero = text;
        withZero[zeroAt] = '\0';
        SCOPED_TRACE("zero at " + std::to_string(zeroAt));
        ExpectSameEvidence(withZero, GetParam());
        const std::string buffer = withZero + '\0';
        EXPECT_EQ(VerdictOf(GatherKanjiEvidence(
                      buffer.data(), static_cast<std::int32_t>(withZero.size()), GetParam())),
                  KC_BINARY);
        if (HasFailure()) return;
    }
}

INSTANTIATE_TEST_SUITE_P(Both, DetectorPaths,
                         ::testing::Values(DetectorPath::kFastest, DetectorPath::kPortable));

}  // namespace
}  // namespace quelbrix
