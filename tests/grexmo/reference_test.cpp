// Grexmo against the plain backtracking matcher of reference_matcher.h, on
// Shift_JIS texts that mix ASCII, half-width kana, double-byte characters whose trail bytes
// look like ASCII (A, a backslash) and lone lead bytes. The reference decodes pattern and
// text into characters first and then tries every path in order of preference, so it knows
// nothing of literals, start bytes, boundaries found backwards or state kept between calls.
// Quantified groups get bodies that cannot match the empty string: how a loop treats an
// empty round is where backtracking engines and automata part ways, and not what is checked.
#include "grexmo_test_util.h"
#include "told_length_checks.h"
#include "lazy_dfa.h"
#include "reference_matcher.h"
#include "reverse_dfa.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace grexmo_reference;

using grexmo_test::Pick;
using grexmo_test::Rng;
using grexmo_test::Shown;

// Atoms that each take exactly one character of the text.
const std::vector<std::string> kAtoms = {
    "A",
    "A",
    "x",
    "\\\\",
    ".",
    "\\w",
    "\\W",
    "\\d",
    "\\s",
    "\x83\x41",             // ア, trail 'A'
    "\x83\x5C",             // ソ, trail backslash
    "\x95\x5C",             // 表
    "\x88\x9F",             // 亜, trail is also a lead
    "\xB1",                 // ｱ, half-width
    "\\x83",                // a lone lead byte
    "\\x9F",                // a lone byte that is lead and trail
    "\\x83\\x41",           // ア spelled in escapes
    "[\x83\x40-\x83\x96]",  // [ァ-ヶ]
    "[^A]",
    "[A\x88\x9F]",
    "[\\\\\x83\x5C]",
    "[\\x83x]",
    "[^\\w\\n]",
    "[\xA1-\xDF]",
    "[0-9A]",
    "[\x83\x5C-\x88\x9F]",
    "\\.",
    "\\r",
};
const char* const kAnchors[] = {"^", "$", "\\b", "\\B"};

// Letters of both widths and cases, the full-width space, and characters whose trail byte is
// an ASCII letter, for the patterns with (?i).
const std::vector<std::string> kFoldAtoms = {
    "a",   "B",  "Ａ", "ｂ",       "[a-c]", "[^b]", "[Ａ-Ｃ]", "[^ａ]", "\\s",
    "\\S", "ャ", "ア", "[ａ-ｃa]", "\\x41", ".",    "x",       "\\w",   "[\\s\\x61]",
};
const std::vector<std::string> kFoldPieces = {
    "a",  "A",  "b",  "B",  "c",  "x",  " ",  "\n", "Ａ",
    "ａ", "Ｂ", "ｂ", "ｃ", "Ｃ", "　", "ャ", "ア", "\x83",
};

// At most `depth` groups deep; with `nonEmpty` every way through takes at least one character.
// With `foldGroups`, some groups are (?i:...) groups.
std::string RandomPattern(Rng& rng, int depth, bool nonEmpty,
                          const std::vector<std::string>& atoms = kAtoms, bool foldGroups = false) {
    static const char* const kQuantifiers[] = {"*",   "+",     "?",   "{0,2}", "{1,}",
                                               "{2}", "{1,3}", "{0}", "{2,}"};
    static const char* const kNonEmptyQuantifiers[] = {"+", "{1,}", "{2}", "{1,3}"};
    std::string out;
    const int items = 1 + Pick(rng, 3);
    bool tookOne = false;
    for (int i = 0; i < items; ++i) {
        const int kind = Pick(rng, 10);
        if (kind == 0) {
            out += kAnchors[Pick(rng, 4)];
            continue;
        }
        const bool quantified = Pick(rng, 3) == 0;
        if (kind <= 2 && depth > 0) {
            out += foldGroups && Pick(rng, 2) ? "(?i:" : Pick(rng, 2) ? "(" : "(?:";
            out += RandomPattern(rng, depth - 1, nonEmpty || quantified, atoms, foldGroups);
            if (Pick(rng, 3) == 0)
                out +=
                    "|" + RandomPattern(rng, depth - 1, nonEmpty || quantified, atoms, foldGroups);
            out += ")";
        } else {
            out += atoms[Pick(rng, static_cast<int>(atoms.size()))];
        }
        const char* q = "";
        if (quantified)
            q = nonEmpty && !tookOne ? kNonEmptyQuantifiers[Pick(rng, 4)]
                                     : kQuantifiers[Pick(rng, 9)];
        out += q;
        if (quantified && Pick(rng, 3) == 0) out += "?";
        tookOne = tookOne || !quantified || q[0] == '+' || q[1] == '1' || q[1] == '2';
    }
    if (nonEmpty && !tookOne) out += atoms[Pick(rng, static_cast<int>(atoms.size()))];
    if (depth > 0 && Pick(rng, 5) == 0)
        out += "|" + RandomPattern(rng, depth - 1, nonEmpty, atoms, foldGroups);
    return out;
}

const std::vector<std::string> kPieces = {
    "A",        "a",        "x",        "1",        "_",        " ",        "\\",       "\n",
    "\r\n",     "\r",       "\xB1",     "\xDF",     "\xA0",     "\x80",     "\x83\x41", "\x83\x5C",
    "\x95\x5C", "\x88\x9F", "\x83\x40", "\x83\x96", "\x83\x97", "\x83\x83", "\x81\x5C", "\xE0\x41",
    "\x9F\x9F", "\x83",     "\x9F",     "\xFC",     "\xE0",  // lead bytes that may stand alone or pair with what follows
};

std::string RandomText(Rng& rng, int maxPieces, const std::vector<std::string>& pieces = kPieces) {
    return grexmo_test::RandomText(rng, pieces, maxPieces);
}

// Every start offset in increasing order (the object keeps its place in the text between
// these calls), a few starts in random order (it must start afresh), and the counting loop.
void CompareWithReference(const std::string& pattern, bool isRegex, Rng& rng, int texts,
                          int maxPieces = 14, const std::vector<std::string>& pieces = kPieces) {
    RefParser parser(isRegex ? pattern : std::string());
    int root = -1;
    if (isRegex) {
        root = parser.Parse();
        ASSERT_GE(root, 0) << "reference parser stopped early";
    } else {
        root = PlainTextNodes(pattern, parser.nodes);
    }
    CGrexmo g, told;
    g.Read(pattern.c_str(), isRegex);
    told.Read(pattern.c_str(), isRegex);
    ASSERT_TRUE(g.IsValid()) << Shown(pattern) << ": " << g.GetErrorText();
    for (int t = 0; t < texts; ++t) {
        const std::string text = RandomText(rng, maxPieces, pieces);
        const std::vector<char> exact(text.c_str(), text.c_str() + text.size() + 1);
        const std::string what = "pattern '" + Shown(pattern) + "' text '" + Shown(text) + "'";
        std::vector<RefHit> expected;
        for (std::size_t start = 0; start <= text.size(); ++start)
            expected.push_back(ReferenceFind(parser.nodes, root, text, start));
        for (std::size_t start = 0; start <= text.size(); ++start) {
            const int got = g.Find(exact.data(), static_cast<int>(start), false);
            ASSERT_EQ(got, expected[start].offset) << what << " start " << start;
            ASSERT_EQ(std::string(g.GetHitText()), expected[start].text)
                << what << " start " << start;
        }
        for (int k = 0; k < 4; ++k) {
            const std::size_t start =
                static_cast<std::size_t>(Pick(rng, static_cast<int>(text.size()) + 1));
            ASSERT_EQ(g.Find(exact.data(), static_cast<int>(start), false), expected[start].offset)
                << what << " start " << start;
            ASSERT_EQ(std::string(g.GetHitText()), expected[start].text)
                << what << " start " << start;
        }
        // The counting loop: on at the hit's end, one character further after an empty hit.
        std::vector<grexmo_test::FoundHit> hits = grexmo_test::AllHits(g, text.c_str());
        std::size_t k = 0;
        for (std::size_t start = 0; start <= text.size() && expected[start].offset >= 0; ++k) {
            const RefHit& want = expected[start];
            ASSERT_LT(k, hits.size()) << what << " hit " << k;
            ASSERT_EQ(hits[k].offset, want.offset) << what << " hit " << k;
            ASSERT_EQ(hits[k].text, want.text) << what << " hit " << k;
            start = static_cast<std::size_t>(want.offset) + want.text.size();
            if (want.text.empty()) start += sjis::CharLength(text.c_str() + want.offset);
        }
        ASSERT_EQ(hits.size(), k) << what;
        // Told the length: over the text without its zero, and with a zero byte put in at a
        // random place (before, inside or after hits; after a lone lead byte; right after
        // where $ or \b is asked) or at its end, with more text after it.
        Rng zeros(static_cast<unsigned>(t) * 7919u + static_cast<unsigned>(text.size()));
        const std::size_t inside =
            static_cast<std::size_t>(Pick(zeros, static_cast<int>(text.size()) + 1));
        for (const std::string& variant :
             {text, grexmo_test::WithZero(text, inside, RandomText(zeros, 4, pieces)),
              grexmo_test::WithZero(text, text.size(), RandomText(zeros, 4, pieces))}) {
            grexmo_test::ExpectToldLengthAgrees(g, told, variant, zeros);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

TEST(GrexmoReference, RegexAgreesWithABacktrackerOnShiftJis) {
    Rng rng(8150);
    for (int round = 0; round < 3000; ++round) {
        const std::string pattern = RandomPattern(rng, 2, false);
        SCOPED_TRACE(Shown(pattern));
        CompareWithReference(pattern, true, rng, 4);
        if (HasFatalFailure()) return;
    }
}

// (?i) for the whole pattern or (?i:...) for parts of it, over letters of both widths.
TEST(GrexmoReference, CaseFoldingAgreesWithABacktracker) {
    Rng rng(1923);
    for (int round = 0; round < 2000; ++round) {
        const std::string body = RandomPattern(rng, 2, false, kFoldAtoms, true);
        const std::string pattern = Pick(rng, 2) ? "(?i)" + body : body;
        SCOPED_TRACE(Shown(pattern));
        CompareWithReference(pattern, true, rng, 4, 14, kFoldPieces);
        if (HasFatalFailure()) return;
    }
}

// Patterns whose preferred branch runs on past a hit and then fails, on texts dense with
// hits: later calls skip what such a branch was shown to fail on, and must still find
// exactly what the reference finds, from every start.
TEST(GrexmoReference, SkippingFailedBranchesKeepsTheHits) {
    const std::vector<std::string> pieces = {"A",  "A", "A",  "x",    "\x83\x41",
                                             "\\", " ", "\n", "\x83", "\x83\x5C"};
    const char* const patterns[] = {
        "A*x|A",
        ".+[Ax]",
        "\\w*x|\\w",
        "[^x]*x|.",
        "(?:A|\x83\x41)*\\\\|A",
        "A+?x|A",
        "^.*x|.",
        "A*x|A*\\\\|.",
        "\x83\x41*$|\x83\x41",
        "(?:A )+x|A",
        ".*\\b|A",
        "(A|\x83\x41)+\\n|\\w|\\W",
        "\\bA*x|A\\B",
        "[A\x83\x41]*?x|[A\x83\x41]",
    };
    Rng rng(1618);
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        CompareWithReference(pattern, true, rng, 400, 30, pieces);
        if (HasFatalFailure()) return;
        // Long enough for the DFA to note and meet its states every 64 bytes after a hit.
        CompareWithReference(pattern, true, rng, 8, 200, pieces);
        if (HasFatalFailure()) return;
    }
}

// The DFA's cache limits for the objects made while it lives, restored afterwards.
class DfaCacheScope {
public:
    explicit DfaCacheScope(const grexmo::DfaCacheLimits& limits)
        : saved_(grexmo::CurrentDfaCacheLimits()) {
        grexmo::SetDfaCacheLimitsForTesting(limits);
    }
    ~DfaCacheScope() { grexmo::SetDfaCacheLimitsForTesting(saved_); }

private:
    grexmo::DfaCacheLimits saved_;
};

// A cache too small for more than a state or two is cleared at almost every byte: searched
// on regardless, or given up so the VM takes over, the hits stay the same.
TEST(GrexmoReference, ATinyDfaCacheKeepsTheHits) {
    const std::size_t neverGiveUp = 0;
    for (const std::size_t minBytesPerState : {neverGiveUp, std::size_t{16}}) {
        SCOPED_TRACE(minBytesPerState);
        DfaCacheScope tiny({1, 1, minBytesPerState});
        Rng rng(3141);
        for (int round = 0; round < 600; ++round) {
            const std::string pattern = RandomPattern(rng, 2, false);
            SCOPED_TRACE(Shown(pattern));
            CompareWithReference(pattern, true, rng, 3);
            if (HasFatalFailure()) return;
        }
    }
}

// The reverse DFA finds every start, even those the forward DFA would find by itself: on
// random patterns, folded ones, those whose preferred branch runs past a hit, and with a
// cache that is cleared at almost every state (searched on, or given up so the VM takes over).
class ReverseStartsScope {
public:
    ReverseStartsScope() { grexmo::ForceReverseStartsForTesting(true); }
    ~ReverseStartsScope() { grexmo::ForceReverseStartsForTesting(false); }
};

TEST(GrexmoReference, ReverseDfaStartsAgreeWithABacktracker) {
    ReverseStartsScope forced;
    const grexmo::DfaCacheLimits normal = grexmo::CurrentDfaCacheLimits();
    struct Case {
        const char* name;
        const std::vector<std::string>* atoms;
        const std::vector<std::string>* pieces;
        bool folded;
        grexmo::DfaCacheLimits limits;
        int rounds;
    };
    const std::vector<std::string> runPieces = {"A",  "A", "A",  "x",    "\x83\x41",
                                                "\\", " ", "\n", "\x83", "\x83\x5C"};
    const Case cases[] = {
        {"regex", &kAtoms, &kPieces, false, normal, 2500},
        {"case folded", &kFoldAtoms, &kFoldPieces, true, normal, 800},
        {"tiny cache", &kAtoms, &kPieces, false, {1, 1, 0}, 400},
        {"tiny cache, giving up", &kAtoms, &kPieces, false, {1, 1, 16}, 300},
    };
    Rng rng(2024);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DfaCacheScope scope(c.limits);
        for (int round = 0; round < c.rounds; ++round) {
            const std::string body = RandomPattern(rng, 2, false, *c.atoms, c.folded);
            const std::string pattern = c.folded && Pick(rng, 2) ? "(?i)" + body : body;
            SCOPED_TRACE(Shown(pattern));
            CompareWithReference(pattern, true, rng, 4, 14, *c.pieces);
            if (HasFatalFailure()) return;
        }
    }
    const char* const runPatterns[] = {
        "A*x|A",      "\\w*x|\\w",          "^.*x|.", ".*\\b|A", "\\bA*x|A\\B",
        "(?:A )+x|A", "\x83\x41*$|\x83\x41"};
    for (const char* pattern : runPatterns) {
        SCOPED_TRACE(pattern);
        CompareWithReference(pattern, true, rng, 100, 30, runPieces);
        CompareWithReference(pattern, true, rng, 4, 200, runPieces);
        if (HasFatalFailure()) return;
    }
}

// The search loop takes four bytes a round and stops mid-round at a state it must look at:
// long texts put such states at every place within a round, by the 64-byte checkpoints and
// at the end, with a cache that is cleared at almost every state or never.
TEST(GrexmoReference, TheUnrolledLoopKeepsTheHitsOnLongTexts) {
    const struct {
        grexmo::DfaCacheLimits limits;
        int maxPieces;
    } cases[] = {
        {{1, 1, 0}, 60},
        {{1, 1, 16}, 60},
        {grexmo::DfaCacheLimits{}, 90},
        {{1, 1, 0}, 150},
    };
    Rng rng(2653);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxPieces);
        DfaCacheScope limits(c.limits);
        for (int round = 0; round < 150; ++round) {
            const std::string pattern = RandomPattern(rng, 2, false);
            SCOPED_TRACE(Shown(pattern));
            CompareWithReference(pattern, true, rng, 2, c.maxPieces);
            if (HasFatalFailure()) return;
        }
    }
}

// Texts full of kana and kanji whose trail bytes are kana and kanji leads (0x82, 0x83, 0x89,
// 0x97), with lone leads, so that the nibble and pair scans meet candidates at every place
// in a block of 16, at both ends of the text and with a lead byte last.
const std::vector<std::string> kKanaPieces = {
    "\x83\x41", "\x83\x83", "\x83\x96", "\x82\xA0", "\x82\xF1", "\x82\xC5",  // ア ャ ヶ あ ん で
    "\x89\xEF", "\x8B\x63", "\x97\x5C", "\x8E\x5A", "\x89\x63", "\x8B\xC6",  // 会 議 予 算 営 業
    "\x9F\x83", "\x88\x82", "\x96\x89", "\x81\x5B", "\x81\x42",              // trails 83 82 89
    "\x83",     "\x82",     "\x89",     "A",        "e",        "\xB1",      "\n",
};

TEST(GrexmoReference, StartScansAgreeWithABacktrackerOnKanaText) {
    const char* const patterns[] = {
        "[\x83\x40-\x83\x96]{3}", "[\x83\x40-\x83\x96]+", "[\x82\x9F-\x82\xF1]{2}",
        "\x83\x41\x83\x83", "\x82\xC5\x81\x5B|\x83\x41", "[\x89\x63\x89\xEF]\x8B",
        "\x89\xEF\x8B\x63|\x97\x5C\x8E\x5A|\x89\x63\x8B\xC6",
        "\x89\xEF|\x89\xEF\x8B\x63|\x89", "(?:\x83\x83|\x82\xA0)\x83",
        "\x88\x82\x83\x41|\x9F\x83\x83\x41", "[\x83\x41\x82\xA0]e",
    };
    Rng rng(7717);
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        for (const int maxPieces : {6, 40, 120}) {
            CompareWithReference(pattern, true, rng, maxPieces > 40 ? 12 : 60, maxPieces,
                                 kKanaPieces);
            if (HasFatalFailure()) return;
        }
    }
}

// A hit after trail bytes that are the pattern's own leads (0x83, 0x82 as the second byte of
// a kanji) at every place in and across a block of 16, at the very end of the text, and
// with a lone lead byte last: the first hit is where the filler ends.
TEST(GrexmoReference, HitsAfterLookAlikeTrailsAtEveryBlockPlace) {
    const struct {
        const char* pattern;
        bool isRegex;
        unsigned folds;
        const char* word;
    } cases[] = {
        {"[\x83\x40-\x83\x96]{2}", true, 0, "\x83\x41\x83\x83"},
        {"\x89\xEF\x8B\x63|\x97\x5C\x8E\x5A|\x89\x63\x8B\xC6", true, 0, "\x89\x63\x8B\xC6"},
        {"\x82\xC5\x81\x5B\x82\xBD", false, kGrexmoFoldKana | kGrexmoFoldWidth, "\xC3\xDE\xB0\xC0"},
        {"\x83\x66\x81\x5B\x83\x5E", false, kGrexmoFoldKana | kGrexmoFoldWidth, "\x82\xC5\x81\x5B\x82\xBD"},
        {"[a-z]+", true, 0, "ab"},
    };
    // 営 and a kanji with 業's trail pass the scan of the alternation's rarest bytes and fail
    // its check: a false candidate before the block the hit is in.
    const char* const fillers[] = {"\x9F\x83", "\x88\x82", "\x89\x89", "\x8E\x83",
                                   "\x89\x63\x8E\xC6"};
    for (const auto& c : cases) {
        CGrexmo g;
        g.Read(c.pattern, c.isRegex, c.folds);
        ASSERT_TRUE(g.IsValid()) << Shown(c.pattern);
        for (int length = 0; length < 40; ++length) {
            std::string filler = length % 2 ? "A" : "";
            for (int i = 0; filler.size() + 1 < static_cast<std::size_t>(length); ++i)
                filler += fillers[(i + length) % 5];
            for (const char* tail : {"", "\x83", "\x9F\x83" "A"}) {
                const std::string text = filler + c.word + tail;
                const std::vector<char> exact(text.c_str(), text.c_str() + text.size() + 1);
                const std::string what = Shown(c.pattern) + " in " + Shown(text);
                ASSERT_EQ(g.Find(exact.data(), 0, false), static_cast<int>(filler.size())) << what;
                ASSERT_EQ(std::string(g.GetHitText()), c.word) << what;
            }
        }
    }
}

// Alternations of 2 to 8 literals drawn from kana, kanji and ASCII, often one a prefix of
// another, as the nibble scan's buckets see them: shared, merged when more than eight
// patterns, and each candidate confirmed at a boundary.
TEST(GrexmoReference, AlternationsOfLiteralsAgreeWithABacktracker) {
    std::vector<std::string> pieces = kKanaPieces;
    pieces.pop_back();  // no line feed inside a literal
    Rng rng(8861);
    for (int round = 0; round < 400; ++round) {
        std::vector<std::string> literals;
        for (int i = 0, n = 2 + Pick(rng, 7); i < n; ++i) {
            std::string literal = !literals.empty() && Pick(rng, 3) == 0
                                      ? literals[Pick(rng, static_cast<int>(literals.size()))]
                                      : std::string();
            for (int j = 0, m = 1 + Pick(rng, 3); j < m; ++j)
                literal += pieces[Pick(rng, static_cast<int>(pieces.size()))];
            literals.push_back(literal);
        }
        std::string pattern;
        for (const std::string& literal : literals) {
            if (!pattern.empty()) pattern += "|";
            for (unsigned char b : literal) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", b);
                pattern += hex;
            }
        }
        SCOPED_TRACE(Shown(pattern));
        CompareWithReference(pattern, true, rng, 3, Pick(rng, 2) ? 12 : 80, kKanaPieces);
        if (HasFatalFailure()) return;
    }
}

TEST(GrexmoReference, PlainTextAgreesWithABacktrackerOnShiftJis) {
    Rng rng(5161);
    for (int round = 0; round < 3000; ++round) {
        const std::string word = RandomText(rng, 3);
        SCOPED_TRACE(Shown(word));
        CompareWithReference(word, false, rng, 3);
        if (HasFatalFailure()) return;
    }
}

// Well-formed patterns with bytes inserted, dropped or replaced: Read and Find always come
// back, an invalid pattern says why and finds nothing, and a valid one gives hits on
// character boundaries inside the text (AllHits searches a buffer of the text's exact size,
// so a read past its zero shows under a memory checker).
TEST(GrexmoReference, MutatedPatternsAreRefusedOrMatchSafely) {
    const std::string bytes = "()[]{}|*+?.^$\\-,:0129xdwbB\x83\x41\x5C\x9F\xFC\xA0\xB1\x80 ";
    Rng rng(2718);
    int valid = 0, invalid = 0;
    for (int round = 0; round < 6000; ++round) {
        std::string pattern = RandomPattern(rng, 3, false);
        for (int m = 0, n = 1 + Pick(rng, 3); m < n && !pattern.empty(); ++m) {
            const std::size_t at =
                static_cast<std::size_t>(Pick(rng, static_cast<int>(pattern.size())));
            const char b =
                bytes[static_cast<std::size_t>(Pick(rng, static_cast<int>(bytes.size())))];
            switch (Pick(rng, 3)) {
            case 0:
                pattern.insert(at, 1, b);
                break;
            case 1:
                pattern.erase(at, 1);
                break;
            default:
                pattern[at] = b;
                break;
            }
        }
        CGrexmo g;
        g.Read(pattern.c_str(), true);
        const std::string text = RandomText(rng, 14);
        if (!g.IsValid()) {
            ++invalid;
            ASSERT_STRNE(g.GetErrorText(), "") << Shown(pattern);
            ASSERT_EQ(g.Find(text.c_str(), 0, false), -1) << Shown(pattern);
            continue;
        }
        ++valid;
        const Decoded d = Decode(text);
        std::vector<bool> boundary(text.size() + 1, false);
        for (std::size_t offset : d.offsets) boundary[offset] = true;
        for (const auto& hit : grexmo_test::AllHits(g, text.c_str())) {
            const std::size_t end = static_cast<std::size_t>(hit.offset) + hit.text.size();
            ASSERT_TRUE(hit.offset >= 0 && end <= text.size())
                << Shown(pattern) << " in " << Shown(text);
            ASSERT_TRUE(boundary[hit.offset] && boundary[end])
                << Shown(pattern) << " in " << Shown(text);
            ASSERT_EQ(text.compare(hit.offset, hit.text.size(), hit.text), 0);
        }
    }
    EXPECT_GT(valid, 1000);
    EXPECT_GT(invalid, 1000);
}

}  // namespace
