// Randomised checks against slower, independent answers: std::regex (ECMAScript, multiline)
// on short ASCII texts, and Grexmo's own plain character-by-character run (no literal or
// start-byte shortcut) on Shift_JIS texts.
#include "grexmo_test_util.h"
#include "told_length_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

using grexmo_test::Pick;
using grexmo_test::RandomText;
using grexmo_test::Rng;
using grexmo_test::Shown;

// A random pattern from `atoms`, with groups, alternation and quantifiers, at most `depth`
// deep. A quantified group gets a body that cannot match the empty string: how a loop treats
// an empty round differs between engines (std::regex included) and is not what is tested.
std::string RandomPattern(Rng& rng, const std::vector<std::string>& atoms, int depth,
                          bool nonEmpty = false) {
    static const char* const kQuantifiers[] = {"*", "+", "?", "{0,2}", "{1,}", "{2}", "{1,3}"};
    static const char* const kNonEmptyQuantifiers[] = {"+", "{1,}", "{2}", "{1,3}"};
    static const char* const kAnchors[] = {"^", "$", "\\b", "\\B"};
    std::string out;
    int items = 1 + Pick(rng, 3);
    for (int i = 0; i < items; ++i) {
        int kind = Pick(rng, 10);
        if (kind == 0 && !nonEmpty) {
            out += kAnchors[Pick(rng, 4)];
            continue;
        }
        bool quantified = Pick(rng, 3) == 0;
        if (kind <= 2 && depth > 0) {
            bool bodyNonEmpty = nonEmpty || quantified;
            out += Pick(rng, 2) ? "(" : "(?:";
            out += RandomPattern(rng, atoms, depth - 1, bodyNonEmpty);
            if (Pick(rng, 3) == 0) out += "|" + RandomPattern(rng, atoms, depth - 1, bodyNonEmpty);
            out += ")";
        } else {
            out += atoms[Pick(rng, static_cast<int>(atoms.size()))];
        }
        if (quantified) {
            out += nonEmpty ? kNonEmptyQuantifiers[Pick(rng, 4)] : kQuantifiers[Pick(rng, 7)];
            if (Pick(rng, 3) == 0) out += "?";
        }
    }
    if (depth > 0 && Pick(rng, 5) == 0) out += "|" + RandomPattern(rng, atoms, depth - 1, nonEmpty);
    return out;
}

// Bytes outside printable ASCII as \xHH, for failure messages.
TEST(GrexmoDifferential, AgreesWithStdRegexOnAscii) {
    const std::vector<std::string> atoms = {"a",    "b",   "a",   "b",   ".",  "[ab]",
                                            "[^a]", "\\w", "\\s", "\\W", "ab", "[a ]"};
    const std::vector<std::string> pieces = {"a", "b", " ", "\n", "a", "b"};
    Rng rng(20240611);
    int compared = 0;
    for (int round = 0; round < 2500; ++round) {
        std::string pattern = RandomPattern(rng, atoms, 2);
        std::regex reference(pattern, std::regex::ECMAScript | std::regex::multiline);
        CGrexmo g;
        g.Read(pattern.c_str(), true);
        ASSERT_TRUE(g.IsValid()) << pattern << ": " << g.GetErrorText();
        for (int t = 0; t < 4; ++t) {
            std::string text = RandomText(rng, pieces, 10);
            for (std::size_t start = 0; start <= text.size(); ++start) {
                std::smatch m;
                auto flags = start > 0 ? std::regex_constants::match_prev_avail
                                       : std::regex_constants::match_default;
                bool found =
                    std::regex_search(text.cbegin() + start, text.cend(), m, reference, flags);
                int expected = found ? static_cast<int>(start + m.position(0)) : -1;
                int got = g.Find(text.c_str(), static_cast<int>(start), false);
                ASSERT_EQ(got, expected)
                    << "pattern '" << pattern << "' text '" << Shown(text) << "' start " << start;
                if (found) {
                    ASSERT_EQ(std::string(g.GetHitText()), m.str(0))
                        << "pattern '" << pattern << "' text '" << Shown(text) << "'";
                }
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 10000);
}

// "(?:P)|\b\B" finds exactly what P finds (the second branch never matches) but gives the
// matcher no literal and no start bytes to skip ahead with.
std::string WithoutShortcuts(const std::string& pattern) { return "(?:" + pattern + ")|\\b\\B"; }

std::vector<grexmo_test::FoundHit> HitsOf(const std::string& pattern, bool isRegex,
                                          const std::string& text) {
    CGrexmo g;
    g.Read(pattern.c_str(), isRegex);
    EXPECT_TRUE(g.IsValid()) << pattern << ": " << g.GetErrorText();
    CGrexmo walker;
    walker.Read(pattern.c_str(), isRegex);
    grexmo_test::ExpectWalksAgree(g, walker, text);
    return grexmo_test::AllHits(g, text.c_str());
}

void ExpectSameHits(const std::vector<grexmo_test::FoundHit>& a,
                    const std::vector<grexmo_test::FoundHit>& b, const std::string& what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].offset, b[i].offset) << what << " hit " << i;
        ASSERT_EQ(a[i].text, b[i].text) << what << " hit " << i;
    }
}

const std::vector<std::string> kSjisPieces = {
    "\x83\x41", "A", "\x88\x9F", "\x9F", "\x83\x5C", "\\",
    "\xB1",     "x", "\n",       "\x83", "\x95\x5C", " ",
};

TEST(GrexmoDifferential, ShortcutsAgreeWithThePlainRunOnShiftJis) {
    const std::vector<std::string> atoms = {"\x83\x41", "A",        "\x88\x9F",
                                            "\\\\",     "\x83\x5C", "\xB1",
                                            "x",        ".",        "[\x83\x40-\x83\x60]",
                                            "[^A]",     "\\w",      "\\x83",
                                            "\x95\x5C", "\\x9F",    "[A\x88\x9F]"};
    Rng rng(977);
    for (int round = 0; round < 1500; ++round) {
        std::string pattern = RandomPattern(rng, atoms, 2);
        for (int t = 0; t < 3; ++t) {
            std::string text = RandomText(rng, kSjisPieces, 16);
            ExpectSameHits(HitsOf(pattern, true, text),
                           HitsOf(WithoutShortcuts(pattern), true, text),
                           "pattern '" + Shown(pattern) + "' text '" + Shown(text) + "'");
        }
    }
}

// Plain text against the same word spelled as a regular expression without shortcuts.
TEST(GrexmoDifferential, PlainTextAgreesWithThePlainRun) {
    Rng rng(4242);
    for (int round = 0; round < 3000; ++round) {
        std::string word = RandomText(rng, kSjisPieces, 3);
        std::string escaped;
        for (std::size_t i = 0; i < word.size(); ++i) {
            unsigned char b = static_cast<unsigned char>(word[i]);
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            escaped += hex;
        }
        std::string text = RandomText(rng, kSjisPieces, 20);
        ExpectSameHits(HitsOf(word, false, text), HitsOf(WithoutShortcuts(escaped), true, text),
                       "word '" + Shown(word) + "' text '" + Shown(text) + "'");
    }
}

}  // namespace

namespace {

// Whatever bytes a pattern holds, Read and Find come back, and every hit lies inside the
// text, on character boundaries, with the text it names.
TEST(GrexmoDifferential, RandomPatternBytesAreHandled) {
    const char alphabet[] = "()[]{}|*+?.^$\\-,:=!0129abdiwsxBDWS \x83\x41\x5C\x88\x9F\xB1";
    Rng rng(31337);
    for (int round = 0; round < 20000; ++round) {
        std::string pattern;
        for (int i = 0, n = Pick(rng, 12); i < n; ++i)
            pattern += alphabet[Pick(rng, sizeof alphabet - 1)];
        const std::string text = RandomText(rng, kSjisPieces, 12);
        for (bool isRegex : {true, false}) {
            CGrexmo g;
            g.Read(pattern.c_str(), isRegex);
            if (!isRegex) {
                ASSERT_TRUE(g.IsValid());
            }
            if (!g.IsValid()) {
                ASSERT_STRNE(g.GetErrorText(), "");
                ASSERT_EQ(g.Find(text.c_str(), 0, false), -1);
                continue;
            }
            std::vector<bool> boundary(text.size() + 1, false);
            for (std::size_t p = 0;; p += sjis::CharLength(text.c_str() + p)) {
                boundary[p] = true;
                if (p >= text.size()) break;
            }
            for (const auto& hit : grexmo_test::AllHits(g, text.c_str())) {
                ASSERT_GE(hit.offset, 0);
                ASSERT_LE(hit.offset + hit.text.size(), text.size());
                ASSERT_TRUE(boundary[hit.offset]) << Shown(pattern) << " in " << Shown(text);
                ASSERT_TRUE(boundary[hit.offset + hit.text.size()])
                    << Shown(pattern) << " in " << Shown(text);
                ASSERT_EQ(text.compare(hit.offset, hit.text.size(), hit.text), 0);
            }
        }
    }
}

}  // namespace
