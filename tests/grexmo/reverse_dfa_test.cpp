// The reverse DFA against the Pike VM: from every boundary of a text, the VM's leftmost-first
// hit, and the reverse DFA stepping back from that hit's end down to the same boundary must
// find the same start. Texts are full of bytes that read backwards as something else: trail
// bytes that look like ASCII (0x40-0x7E, the backslash) or like leads (0x81-0x9F), lone lead
// bytes, half-width kana and their sound marks, CR and LF.
#include "grexmo_test_util.h"

#include "compile.h"
#include "lazy_dfa.h"
#include "parse.h"
#include "pattern_chars.h"
#include "pike_vm.h"
#include "reverse_dfa.h"
#include "start_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using grexmo::Boundary;
using grexmo::ReverseDfa;
using grexmo_test::Pick;
using grexmo_test::Rng;
using grexmo_test::Shown;

const std::vector<std::string> kAtoms = {
    "A",        "a",
    "\\\\",     "@",
    ".",        "\\w",
    "\\W",      "\\s",
    "\x83\x41", "\x83\x5C",
    "\x81\x5C", "\x88\x9F",
    "\x9F\x9F", "\\x83",
    "\\x9F",    "[\x83\x40-\x83\x96]",
    "[^A]",     "[\\\\\x83\x5C]",
    "[@-~]",    "\xB6",
    "\xDE",     "\x83\x4B",
    "\\r",      "\\n",
    "x",
};
const std::vector<std::string> kAnchors = {"^", "$", "\\b", "\\B"};
const std::vector<std::string> kPieces = {
    "A",        "a",        "@",        "\\",       "x",        " ",        "_",
    "1",        "\n",       "\r\n",     "\r",       "\x83\x41", "\x83\x5C", "\x81\x5C",
    "\x88\x9F", "\x9F\x9F", "\x83\x40", "\x83\x4B", "\x83",     "\x9F",     "\xE0",
    "\xB6",     "\xCA",     "\xDE",     "\xDF",     "\x83\x83", "\x95\x5C",
};

std::string RandomPattern(Rng& rng, int depth) {
    static const char* const kQuantifiers[] = {"*", "+", "?", "{0,2}", "{2}", "*?", "+?", "{1,3}"};
    std::string out;
    for (int i = 0, n = 1 + Pick(rng, 3); i < n; ++i) {
        const int kind = Pick(rng, 8);
        if (kind == 0) {
            out += kAnchors[Pick(rng, static_cast<int>(kAnchors.size()))];
            continue;
        }
        if (kind == 1 && depth > 0) {
            out += "(?:" + RandomPattern(rng, depth - 1);
            if (Pick(rng, 2)) out += "|" + RandomPattern(rng, depth - 1);
            out += ")";
        } else {
            out += kAtoms[Pick(rng, static_cast<int>(kAtoms.size()))];
        }
        if (Pick(rng, 3) == 0) out += kQuantifiers[Pick(rng, 8)];
    }
    if (depth > 0 && Pick(rng, 4) == 0) out += "|" + RandomPattern(rng, depth - 1);
    return out;
}

struct Programs {
    grexmo::Prog forward;
    grexmo::Prog reversed;
};

bool CompileBoth(const std::string& pattern, unsigned folds, Programs* out) {
    const std::vector<grexmo::PatternChar> chars = grexmo::SplitPattern(pattern.c_str());
    grexmo::Ast ast;
    grexmo::PatternError problem;
    return grexmo::ParseRegex(chars, folds, &ast, &problem) &&
           grexmo::Compile(ast, &out->forward, &problem) &&
           grexmo::CompileReversed(ast, &out->reversed, &problem);
}

std::vector<Boundary> WalkBoundaries(const std::string& text) {
    std::vector<Boundary> out(1);
    const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
    while (out.back().pos < text.size()) {
        const std::size_t pos = out.back().pos;
        out.push_back({pos + grexmo::DecodeChar(p + pos).length, pos});
    }
    return out;
}

// From every boundary of `texts` random texts, the start the VM finds and the reverse DFA's.
void CompareStarts(const std::string& pattern, unsigned folds, Rng& rng, int texts, int maxPieces) {
    Programs programs;
    ASSERT_TRUE(CompileBoth(pattern, folds, &programs)) << Shown(pattern);
    grexmo::PikeVm vm(programs.forward, false);
    ReverseDfa reverse(programs.reversed);
    const grexmo::StartFilter anywhere;
    for (int t = 0; t < texts; ++t) {
        const std::string text = grexmo_test::RandomText(rng, kPieces, maxPieces);
        const std::vector<char> exact(text.c_str(), text.c_str() + text.size() + 1);
        const auto* p = reinterpret_cast<const unsigned char*>(exact.data());
        for (const Boundary& from : WalkBoundaries(text)) {
            grexmo::Hit hit;
            if (!vm.Search(p, text.size(), from, anywhere, &hit)) continue;
            std::size_t start = 0;
            const ReverseDfa::Result result =
                reverse.LeftmostStart(p, text.size(), from, hit.end.pos, &start);
            if (result == ReverseDfa::Result::kGaveUp) return;  // the VM takes over then
            ASSERT_EQ(result, ReverseDfa::Result::kStart)
                << Shown(pattern) << " in " << Shown(text) << " from " << from.pos;
            ASSERT_EQ(start, hit.begin) << Shown(pattern) << " in " << Shown(text) << " from "
                                        << from.pos << " to " << hit.end.pos;
        }
    }
}

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

TEST(GrexmoReverseDfa, StartsAgreeWithThePikeVm) {
    const grexmo::DfaCacheLimits normal = grexmo::CurrentDfaCacheLimits();
    const grexmo::DfaCacheLimits tinyNeverGivingUp{1, 1, 0};
    struct Case {
        const char* name;
        const char* prefix;
        unsigned folds;
        grexmo::DfaCacheLimits limits;
        int rounds;
    };
    const Case cases[] = {
        {"plain", "", 0, normal, 2500},
        {"case folded", "(?i)", 0, normal, 600},
        {"width folded, joined kana", "", kGrexmoFoldWidth, normal, 600},
        {"every fold", "", kGrexmoFoldCase | kGrexmoFoldWidth | kGrexmoFoldKana, normal, 400},
        {"tiny cache", "", 0, tinyNeverGivingUp, 600},
        {"tiny cache, width folded", "", kGrexmoFoldWidth, tinyNeverGivingUp, 300},
    };
    Rng rng(8128);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DfaCacheScope scope(c.limits);
        for (int round = 0; round < c.rounds; ++round) {
            CompareStarts(c.prefix + RandomPattern(rng, 2), c.folds, rng, 6, 12);
            if (HasFatalFailure()) return;
        }
    }
}

// Hits that start after characters still alive from an earlier start, over long stretches
// (read in pieces) and at the ends of the text.
TEST(GrexmoReverseDfa, FindsStartsLeftOfLongStretches) {
    std::string pairs;  // trail bytes that look like a backslash and like leads
    for (int i = 0; i < 5000; ++i) pairs += i % 2 ? "\x83\x5C" : "\x88\x9F";
    struct Case {
        std::string pattern;
        std::string text;
        std::size_t from;
        std::size_t expected;  // the start
    };
    const Case cases[] = {
        {"\x83\x5C*\\\\|\\\\", pairs + "\\", 0, pairs.size() - 2},
        {"(?:\x88\x9F\x83\x5C)+x|\x88\x9F.*x", pairs + "x", 0, 0},
        {"\\\\.*$|\x83\x5C\x88\x9F", "\\" + pairs, 0, 0},
        {"^.*", "ab\n" + pairs, 3, 3},
        {"\\b.*\\b|a", "a b", 0, 0},
        {"ab.*c|b.*d", "ab" + pairs + "d", 0, 1},
        {"\\Bb|b", "ab", 0, 1},
        {"$", "a\r\n", 0, 1},
        {"\\n$|\\r", "a\r\n", 0, 1},
        {"(?:\\r$)?\\n", "\r\n", 0, 1},  // no line ends between CR and LF
        {"(?:^a)?b", "xab", 0, 2},
        {"(?:^a)?b", "ab", 0, 0},
        {"(?:\\ba)?b", "_ab", 0, 2},
    };
    for (const Case& c : cases) {
        Programs programs;
        ASSERT_TRUE(CompileBoth(c.pattern, 0, &programs)) << Shown(c.pattern);
        grexmo::PikeVm vm(programs.forward, false);
        ReverseDfa reverse(programs.reversed);
        const auto* p = reinterpret_cast<const unsigned char*>(c.text.c_str());
        const Boundary from =
            c.from == 0 ? Boundary{} : grexmo::NextBoundaryAtOrAfter(p, Boundary{}, c.from);
        grexmo::Hit hit;
        ASSERT_TRUE(vm.Search(p, c.text.size(), from, grexmo::StartFilter{}, &hit))
            << Shown(c.pattern);
        ASSERT_EQ(hit.begin, c.expected) << Shown(c.pattern);
        std::size_t start = 0;
        ASSERT_EQ(reverse.LeftmostStart(p, c.text.size(), from, hit.end.pos, &start),
                  ReverseDfa::Result::kStart)
            << Shown(c.pattern);
        EXPECT_EQ(start, c.expected) << Shown(c.pattern);
    }
}

// A cache that is full at every state and may not be refilled often gives up for good.
TEST(GrexmoReverseDfa, GivesUpWhenTheCacheKeepsOverflowing) {
    DfaCacheScope tiny({1, 1, 16});
    Programs programs;
    ASSERT_TRUE(CompileBoth("(?:A|\x83\x41|x)*\\\\", 0, &programs));
    ReverseDfa reverse(programs.reversed);
    const std::string text =
        "AxA\x83\x41xx\x83\x41"
        "A\\";
    const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
    std::size_t start = 0;
    EXPECT_EQ(reverse.LeftmostStart(p, text.size(), Boundary{}, text.size(), &start),
              ReverseDfa::Result::kGaveUp);
    EXPECT_TRUE(reverse.GaveUp());
    EXPECT_EQ(reverse.LeftmostStart(p, text.size(), Boundary{}, text.size(), &start),
              ReverseDfa::Result::kGaveUp);
}

}  // namespace
