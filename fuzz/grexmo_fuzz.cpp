// Grexmo's Read and the counting loop (of Find, and Count and FindHits told the length). The
// first byte chooses how the rest is read:
//  - even: a pattern and a text of raw bytes, folded or not. Any pattern must compile or be
//    refused without harm; every hit lies on character boundaries and is the text it claims;
//    a plain-text word without folding finds exactly what the backtracking reference finds.
//  - odd: a regular expression built from the bytes out of the documented syntax (case
//    folding included), on a short Shift_JIS text, compared with the reference from every
//    start and through the loop.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "grexmo/grexmo.h"
#include "grexmo_test_util.h"
#include "lazy_dfa.h"
#include "reference_matcher.h"

namespace {

using namespace grexmo_reference;
using quelbrix_fuzz::Input;
using quelbrix_fuzz::Shown;

const char* const kAtoms[] = {
    "A",
    "x",
    "\\\\",
    ".",
    "\\w",
    "\\W",
    "\\d",
    "\\s",
    "\\.",
    "\\r",
    "\x83\x41",  // a double-byte character with trail 'A'
    "\x83\x5C",  // trail backslash
    "\x88\x9F",  // trail that is also a lead
    "\xB1",      // half-width kana
    "\\x83",
    "\\x9F",
    "\\x83\\x41",
    "[\x83\x40-\x83\x96]",
    "[^A]",
    "[A\x88\x9F]",
    "[\\\\\x83\x5C]",
    "[\\x83x]",
    "[^\\w\\n]",
    "[\xA1-\xDF]",
    "[0-9A]",
    "[\x83\x5C-\x88\x9F]",
    "a",
    "B",
    "\x82\x60",  // full-width A
    "\x82\x82",  // full-width b
    "[a-c]",
    "[^b]",
    "[\x82\x60-\x82\x62]",  // full-width A to C
    "\x83\x61",             // a double-byte character with trail 'a'
};
const char* const kAnchors[] = {"^", "$", "\\b", "\\B"};
const char* const kQuantifiers[] = {"*", "+", "?", "{0,2}", "{1,}", "{2}", "{1,3}", "{0}", "{2,}"};
const char* const kPieces[] = {
    "A",        "a",        "x",        "1",        "_",        " ",        "\\",       "\n",
    "\r\n",     "\r",       "\xB1",     "\xDF",     "\xA0",     "\x80",     "\x83\x41", "\x83\x5C",
    "\x95\x5C", "\x88\x9F", "\x83\x40", "\x83\x96", "\x83\x97", "\x81\x5C", "\xE0\x41", "\x9F\x9F",
    "\x83",     "\x9F",     "\xFC",     "\xE0",     "b",        "B",        "\x82\x60", "\x82\x81",
    "\x82\x61", "\x82\x82", "\x81\x40", "\x83\x61",
};

template <std::size_t N>
const char* PickFrom(Input& in, const char* const (&table)[N]) {
    return table[in.Pick(N)];
}

std::string BuildPattern(Input& in, int depth) {
    std::string out;
    for (std::size_t i = 0, items = 1 + in.Pick(3); i < items; ++i) {
        const std::size_t kind = in.Pick(10);
        if (kind == 0) {
            out += PickFrom(in, kAnchors);
            continue;
        }
        if (kind <= 2 && depth > 0) {
            const std::size_t open = in.Pick(3);
            out += open == 0 ? "(" : open == 1 ? "(?:" : "(?i:";
            out += BuildPattern(in, depth - 1);
            if (in.Pick(3) == 0) out += "|" + BuildPattern(in, depth - 1);
            out += ")";
        } else {
            out += PickFrom(in, kAtoms);
        }
        if (in.Pick(3) == 0) {
            out += PickFrom(in, kQuantifiers);
            if (in.Pick(3) == 0) out += "?";
        }
    }
    if (depth > 0 && in.Pick(5) == 0) out += "|" + BuildPattern(in, depth - 1);
    return out;
}

std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i += sjis::CharLength(text.c_str() + i))
        starts.push_back(i);
    starts.push_back(text.size());
    return starts;
}

bool IsStart(const std::vector<std::size_t>& starts, std::size_t at) {
    for (std::size_t s : starts)
        if (s == at) return true;
    return false;
}

// Every start in increasing order, a few in the order the input gives, then the loop.
void CompareWithReference(CGrexmo& g, const std::vector<RefNode>& nodes, int root,
                          const std::string& pattern, const std::string& text, Input& in) {
    const std::string what = "pattern '" + Shown(pattern) + "' text '" + Shown(text) + "'";
    const std::vector<char> exact(text.c_str(), text.c_str() + text.size() + 1);
    std::vector<RefHit> expected;
    for (std::size_t start = 0; start <= text.size(); ++start)
        expected.push_back(ReferenceFind(nodes, root, text, start));
    for (std::size_t start = 0; start <= text.size(); ++start) {
        FUZZ_CHECK(g.Find(exact.data(), static_cast<int>(start), false) == expected[start].offset,
                   what);
        FUZZ_CHECK(g.GetHitText() == expected[start].text, what);
    }
    for (int k = 0; k < 4; ++k) {
        const std::size_t start = in.Pick(text.size() + 1);
        FUZZ_CHECK(g.Find(exact.data(), static_cast<int>(start), false) == expected[start].offset,
                   what);
        FUZZ_CHECK(g.GetHitText() == expected[start].text, what);
    }
    const std::vector<grexmo_test::FoundHit> hits = grexmo_test::AllHits(g, text.c_str());
    std::size_t k = 0;
    for (std::size_t start = 0; start <= text.size() && expected[start].offset >= 0; ++k) {
        const RefHit& want = expected[start];
        FUZZ_CHECK(k < hits.size() && hits[k].offset == want.offset && hits[k].text == want.text,
                   what);
        start = static_cast<std::size_t>(want.offset) + want.text.size();
        if (want.text.empty()) start += sjis::CharLength(text.c_str() + want.offset);
    }
    FUZZ_CHECK(hits.size() == k, what);
    // Told the length, over the bytes alone (no zero after them): the same hits.
    const std::unique_ptr<char[]> bare(new char[text.size()]);
    std::memcpy(bare.get(), text.data(), text.size());
    FUZZ_CHECK(g.Count(bare.get(), text.size()) == static_cast<long long>(hits.size()), what);
    GrexmoHit batch[3];
    std::size_t from = 0, given = 0;
    for (std::size_t n = 3; n == 3; given += n) {
        n = g.FindHits(bare.get(), text.size(), &from, batch, 3);
        for (std::size_t i = 0; i < n; ++i)
            FUZZ_CHECK(given + i < hits.size() &&
                           static_cast<int>(batch[i].begin) == hits[given + i].offset &&
                           batch[i].length == hits[given + i].text.size(),
                       what);
    }
    FUZZ_CHECK(given == hits.size(), what);
}

void RawBytes(Input& in) {
    const std::string pattern = in.Field();
    const bool isRegex = in.Flag();
    // Folded in one input of two; the reference below knows no folding, so only the rest is
    // compared with it, while every read is checked for boundaries.
    const unsigned folds = in.Flag() ? static_cast<unsigned>(in.Pick(8)) : 0u;
    std::string text = in.Rest();
    text = text.substr(0, text.find('\0'));
    const std::string what = "pattern '" + Shown(pattern) + "' text '" + Shown(text) + "'";

    CGrexmo g;
    g.Read(pattern.c_str(), isRegex, folds);
    if (!g.IsValid()) {
        FUZZ_CHECK(std::strlen(g.GetErrorText()) > 0, what);
        FUZZ_CHECK(g.Find(text.c_str(), 0, false) == -1, what);
        return;
    }
    const std::vector<std::size_t> starts = CharacterStarts(text);
    for (const grexmo_test::FoundHit& hit : grexmo_test::AllHits(g, text.c_str())) {
        const auto at = static_cast<std::size_t>(hit.offset);
        FUZZ_CHECK(at <= text.size() && text.compare(at, hit.text.size(), hit.text) == 0, what);
        FUZZ_CHECK(IsStart(starts, at) && IsStart(starts, at + hit.text.size()), what);
    }
    if (!isRegex && folds == 0 && text.size() <= 64 && pattern.find('\0') == std::string::npos) {
        std::vector<RefNode> nodes;
        const int root = PlainTextNodes(pattern, nodes);
        CompareWithReference(g, nodes, root, pattern, text, in);
    }
}

// Whether node n holds a loop within a loop, where the reference's work grows exponentially
// with the length of the text.
bool NestedLoops(const std::vector<RefNode>& nodes, int n, bool inLoop) {
    const RefNode& node = nodes[n];
    const bool loop = node.kind == RefNode::Repeat && node.max != 0 && node.max != 1;
    if (loop && inLoop) return true;
    for (int child : node.children)
        if (NestedLoops(nodes, child, inLoop || loop)) return true;
    return false;
}

void BuiltRegex(Input& in) {
    const bool foldAll = in.Pick(4) == 0;
    const std::string pattern = (foldAll ? "(?i)" : "") + BuildPattern(in, 2);
    RefParser parser(pattern);
    const int root = parser.Parse();
    FUZZ_CHECK(root >= 0, "reference cannot read '" + Shown(pattern) + "'");
    if (HasEmptyLoopBody(parser.nodes)) return;
    std::string text;
    const std::size_t most = NestedLoops(parser.nodes, root, false) ? 6 : 12;
    for (std::size_t i = 0, n = in.Pick(most + 1); i < n; ++i) text += PickFrom(in, kPieces);
    // One pattern in three gets a DFA whose cache holds a single state, cleared at every
    // step; one in three of those gives up on it at once and leaves the search to the VM.
    static const grexmo::DfaCacheLimits kDefaults = grexmo::CurrentDfaCacheLimits();
    grexmo::DfaCacheLimits limits = kDefaults;
    if (pattern.size() % 3 == 0) limits = {1, 1, pattern.size() % 9 == 0 ? 16u : 0u};
    grexmo::SetDfaCacheLimitsForTesting(limits);
    CGrexmo g;
    g.Read(pattern.c_str(), true);
    FUZZ_CHECK(g.IsValid(), Shown(pattern) + ": " + g.GetErrorText());
    CompareWithReference(g, parser.nodes, root, pattern, text, in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    if (in.Flag()) {
        BuiltRegex(in);
    } else {
        RawBytes(in);
    }
    return 0;
}
