// Grexmo against a plain backtracking matcher written here from the documented syntax, on
// Shift_JIS texts that mix ASCII, half-width kana, double-byte characters whose trail bytes
// look like ASCII (A, a backslash) and lone lead bytes. The reference decodes pattern and
// text into characters first and then tries every path in order of preference, so it knows
// nothing of literals, start bytes, boundaries found backwards or state kept between calls.
// Quantified groups get bodies that cannot match the empty string: how a loop treats an
// empty round is where backtracking engines and automata part ways, and not what is checked.
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Code = unsigned;  // one byte's value, or lead * 256 + trail

bool IsLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
bool IsWord(Code c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Characters of a byte string and the byte offset where each begins (plus the length).
struct Decoded {
    std::vector<Code> codes;
    std::vector<std::size_t> offsets;
};

Decoded Decode(const std::string& s) {
    Decoded d;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned b = static_cast<unsigned char>(s[i]);
        d.offsets.push_back(i);
        if (IsLead(b) && i + 1 < s.size() && IsTrail(static_cast<unsigned char>(s[i + 1]))) {
            d.codes.push_back(b << 8 | static_cast<unsigned char>(s[i + 1]));
            i += 2;
        } else {
            d.codes.push_back(b);
            i += 1;
        }
    }
    d.offsets.push_back(s.size());
    return d;
}

struct RefNode {
    enum Kind { Char, Set, LineStart, LineEnd, WordBoundary, NotWordBoundary, Concat, Alternate, Repeat };
    explicit RefNode(Kind k) : kind(k) {}
    Kind kind;
    Code code = 0;
    std::vector<std::pair<Code, Code>> ranges;  // Set
    bool negated = false;                       // Set
    std::vector<int> children;
    int min = 0, max = -1;
    bool greedy = true;
};

// A recursive-descent reader for the patterns the generator below writes (always valid).
class RefParser {
public:
    explicit RefParser(const std::string& pattern) : chars_(Decode(pattern).codes) {}
    std::vector<RefNode> nodes;

    int Parse() {
        int root = Alternation();
        EXPECT_EQ(pos_, chars_.size()) << "reference parser stopped early";
        return root;
    }

private:
    Code Peek(std::size_t ahead = 0) const { return pos_ + ahead < chars_.size() ? chars_[pos_ + ahead] : 0; }
    int Add(RefNode n) {
        nodes.push_back(std::move(n));
        return static_cast<int>(nodes.size() - 1);
    }
    static RefNode SetOf(std::vector<std::pair<Code, Code>> ranges, bool negated) {
        RefNode n{RefNode::Set};
        n.ranges = std::move(ranges);
        n.negated = negated;
        return n;
    }
    static int Hex(Code c) {
        if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
        if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
        if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
        return -1;
    }
    // After the backslash: a character, or a class in *set.
    bool Escape(Code* code, RefNode* set) {
        const Code c = chars_[pos_++];
        switch (c) {
        case 'd': *set = SetOf({{'0', '9'}}, false); return false;
        case 'D': *set = SetOf({{'0', '9'}}, true); return false;
        case 'w': *set = SetOf({{'0', '9'}, {'A', 'Z'}, {'a', 'z'}, {'_', '_'}}, false); return false;
        case 'W': *set = SetOf({{'0', '9'}, {'A', 'Z'}, {'a', 'z'}, {'_', '_'}}, true); return false;
        case 's': *set = SetOf({{'\t', '\r'}, {' ', ' '}}, false); return false;
        case 'S': *set = SetOf({{'\t', '\r'}, {' ', ' '}}, true); return false;
        case 't': *code = '\t'; return true;
        case 'n': *code = '\n'; return true;
        case 'r': *code = '\r'; return true;
        case 'f': *code = '\f'; return true;
        case 'v': *code = '\v'; return true;
        case 'x': {
            Code v = static_cast<Code>(Hex(chars_[pos_]) * 16 + Hex(chars_[pos_ + 1]));
            pos_ += 2;
            if (IsLead(v) && Peek() == '\\' && Peek(1) == 'x' && Hex(Peek(2)) >= 0 && Hex(Peek(3)) >= 0) {
                const Code trail = static_cast<Code>(Hex(Peek(2)) * 16 + Hex(Peek(3)));
                if (IsTrail(trail)) {
                    v = v << 8 | trail;
                    pos_ += 4;
                }
            }
            *code = v;
            return true;
        }
        default: *code = c; return true;
        }
    }
    int Class() {
        std::vector<std::pair<Code, Code>> ranges;
        std::vector<RefNode> sets;
        bool negated = false;
        if (Peek() == '^') {
            negated = true;
            ++pos_;
        }
        for (bool first = true; first || Peek() != ']'; first = false) {
            Code lo;
            if (Peek() == '\\') {
                ++pos_;
                RefNode set{RefNode::Set};
                if (!Escape(&lo, &set)) {
                    sets.push_back(set);
                    continue;
                }
            } else {
                lo = chars_[pos_++];
            }
            Code hi = lo;
            if (Peek() == '-' && Peek(1) != ']') {
                ++pos_;
                if (Peek() == '\\') {
                    ++pos_;
                    RefNode unused{RefNode::Set};
                    Escape(&hi, &unused);
                } else {
                    hi = chars_[pos_++];
                }
            }
            ranges.push_back({lo, hi});
        }
        ++pos_;  // ]
        // Escaped sets inside a class (only \d \w \s here, never negated) join its ranges.
        for (const RefNode& s : sets) ranges.insert(ranges.end(), s.ranges.begin(), s.ranges.end());
        return Add(SetOf(ranges, negated));
    }
    int Atom() {
        const Code c = chars_[pos_++];
        switch (c) {
        case '(': {
            if (Peek() == '?') pos_ += 2;  // (?:
            int inner = Alternation();
            ++pos_;  // )
            return inner;
        }
        case '[': return Class();
        case '.': return Add(SetOf({{'\n', '\n'}, {'\r', '\r'}}, true));
        case '^': return Add(RefNode(RefNode::LineStart));
        case '$': return Add(RefNode(RefNode::LineEnd));
        case '\\': {
            if (Peek() == 'b' || Peek() == 'B') {
                return Add(RefNode{chars_[pos_++] == 'b' ? RefNode::WordBoundary : RefNode::NotWordBoundary});
            }
            Code code = 0;
            RefNode set{RefNode::Set};
            if (!Escape(&code, &set)) return Add(set);
            RefNode n{RefNode::Char};
            n.code = code;
            return Add(n);
        }
        default: {
            RefNode n{RefNode::Char};
            n.code = c;
            return Add(n);
        }
        }
    }
    int Number() {
        int v = 0;
        while (Peek() >= '0' && Peek() <= '9') v = v * 10 + static_cast<int>(chars_[pos_++] - '0');
        return v;
    }
    int Quantified() {
        int atom = Atom();
        RefNode rep{RefNode::Repeat};
        const Code c = Peek();
        if (c == '*') {
            rep.min = 0, rep.max = -1;
        } else if (c == '+') {
            rep.min = 1, rep.max = -1;
        } else if (c == '?') {
            rep.min = 0, rep.max = 1;
        } else if (c == '{') {
            ++pos_;
            rep.min = Number();
            rep.max = rep.min;
            if (Peek() == ',') {
                ++pos_;
                rep.max = Peek() == '}' ? -1 : Number();
            }
        } else {
            return atom;
        }
        ++pos_;  // * + ? or }
        if (Peek() == '?') {
            rep.greedy = false;
            ++pos_;
        }
        rep.children = {atom};
        return Add(rep);
    }
    int Concatenation() {
        RefNode cat{RefNode::Concat};
        while (pos_ < chars_.size() && Peek() != '|' && Peek() != ')') cat.children.push_back(Quantified());
        return Add(cat);
    }
    int Alternation() {
        RefNode alt{RefNode::Alternate};
        alt.children.push_back(Concatenation());
        while (Peek() == '|') {
            ++pos_;
            alt.children.push_back(Concatenation());
        }
        return Add(alt);
    }

    std::vector<Code> chars_;
    std::size_t pos_ = 0;
};

// Tries every path in order of preference; `then` is what must follow.
class RefMatcher {
public:
    RefMatcher(const std::vector<RefNode>& nodes, const std::vector<Code>& text) : nodes_(nodes), text_(text) {}

    using Then = std::function<bool(std::size_t)>;

    bool Match(int n, std::size_t i, const Then& then) const {
        const RefNode& node = nodes_[n];
        const std::size_t size = text_.size();
        switch (node.kind) {
        case RefNode::Char: return i < size && text_[i] == node.code && then(i + 1);
        case RefNode::Set: return i < size && InSet(node, text_[i]) && then(i + 1);
        case RefNode::LineStart: return (i == 0 || text_[i - 1] == '\n') && then(i);
        case RefNode::LineEnd: {
            const bool end = i == size || (text_[i] == '\n' && !(i > 0 && text_[i - 1] == '\r')) ||
                             (text_[i] == '\r' && i + 1 < size && text_[i + 1] == '\n');
            return end && then(i);
        }
        case RefNode::WordBoundary:
        case RefNode::NotWordBoundary: {
            const bool before = i > 0 && IsWord(text_[i - 1]);
            const bool after = i < size && IsWord(text_[i]);
            return ((before != after) == (node.kind == RefNode::WordBoundary)) && then(i);
        }
        case RefNode::Concat: return Sequence(node.children, 0, i, then);
        case RefNode::Alternate:
            for (int child : node.children)
                if (Match(child, i, then)) return true;
            return false;
        case RefNode::Repeat: return Rounds(node, 0, i, then);
        }
        return false;
    }

private:
    static bool InSet(const RefNode& set, Code c) {
        bool in = false;
        for (const auto& r : set.ranges) in = in || (c >= r.first && c <= r.second);
        return in != set.negated;
    }
    bool Sequence(const std::vector<int>& items, std::size_t k, std::size_t i, const Then& then) const {
        if (k == items.size()) return then(i);
        return Match(items[k], i, [&](std::size_t j) { return Sequence(items, k + 1, j, then); });
    }
    bool Rounds(const RefNode& rep, int done, std::size_t i, const Then& then) const {
        const bool mayStop = done >= rep.min;
        const bool mayGoOn = rep.max < 0 || done < rep.max;
        auto another = [&] {
            return mayGoOn && Match(rep.children[0], i, [&](std::size_t j) {
                       return (j > i || done < rep.min) && Rounds(rep, done + 1, j, then);
                   });
        };
        if (rep.greedy) return another() || (mayStop && then(i));
        return (mayStop && then(i)) || another();
    }

    const std::vector<RefNode>& nodes_;
    const std::vector<Code>& text_;
};

struct RefHit {
    int offset = -1;
    std::string text;
};

// The leftmost-first hit starting at the first character boundary at or after `start`.
RefHit ReferenceFind(const std::vector<RefNode>& nodes, int root, const std::string& text, std::size_t start) {
    const Decoded d = Decode(text);
    RefMatcher matcher(nodes, d.codes);
    for (std::size_t i = 0; i < d.offsets.size(); ++i) {
        if (d.offsets[i] < start) continue;
        std::size_t end = 0;
        if (matcher.Match(root, i, [&](std::size_t j) { end = j; return true; })) {
            RefHit hit;
            hit.offset = static_cast<int>(d.offsets[i]);
            hit.text = text.substr(d.offsets[i], d.offsets[end] - d.offsets[i]);
            return hit;
        }
    }
    return RefHit{};
}

using Rng = std::mt19937;

int Pick(Rng& rng, int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

std::string Shown(const std::string& s) {
    std::string out;
    for (unsigned char b : s) {
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += static_cast<char>(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

// Atoms that each take exactly one character of the text.
const std::vector<std::string> kAtoms = {
    "A", "A", "x", "\\\\", ".", "\\w", "\\W", "\\d", "\\s",
    "\x83\x41",            // ア, trail 'A'
    "\x83\x5C",            // ソ, trail backslash
    "\x95\x5C",            // 表
    "\x88\x9F",            // 亜, trail is also a lead
    "\xB1",                // ｱ, half-width
    "\\x83",               // a lone lead byte
    "\\x9F",               // a lone byte that is lead and trail
    "\\x83\\x41",          // ア spelled in escapes
    "[\x83\x40-\x83\x96]",  // [ァ-ヶ]
    "[^A]", "[A\x88\x9F]", "[\\\\\x83\x5C]", "[\\x83x]", "[^\\w\\n]", "[\xA1-\xDF]", "[0-9A]",
    "[\x83\x5C-\x88\x9F]", "\\.", "\\r",
};
const char* const kAnchors[] = {"^", "$", "\\b", "\\B"};

// At most `depth` groups deep; with `nonEmpty` every way through takes at least one character.
std::string RandomPattern(Rng& rng, int depth, bool nonEmpty) {
    static const char* const kQuantifiers[] = {"*", "+", "?", "{0,2}", "{1,}", "{2}", "{1,3}", "{0}", "{2,}"};
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
            out += Pick(rng, 2) ? "(" : "(?:";
            out += RandomPattern(rng, depth - 1, nonEmpty || quantified);
            if (Pick(rng, 3) == 0) out += "|" + RandomPattern(rng, depth - 1, nonEmpty || quantified);
            out += ")";
        } else {
            out += kAtoms[Pick(rng, static_cast<int>(kAtoms.size()))];
        }
        const char* q = "";
        if (quantified) q = nonEmpty && !tookOne ? kNonEmptyQuantifiers[Pick(rng, 4)] : kQuantifiers[Pick(rng, 9)];
        out += q;
        if (quantified && Pick(rng, 3) == 0) out += "?";
        tookOne = tookOne || !quantified || q[0] == '+' || q[1] == '1' || q[1] == '2';
    }
    if (nonEmpty && !tookOne) out += kAtoms[Pick(rng, static_cast<int>(kAtoms.size()))];
    if (depth > 0 && Pick(rng, 5) == 0) out += "|" + RandomPattern(rng, depth - 1, nonEmpty);
    return out;
}

const std::vector<std::string> kPieces = {
    "A", "a", "x", "1", "_", " ", "\\", "\n", "\r\n", "\r", "\xB1", "\xDF", "\xA0", "\x80",
    "\x83\x41", "\x83\x5C", "\x95\x5C", "\x88\x9F", "\x83\x40", "\x83\x96", "\x83\x97", "\x83\x83",
    "\x81\x5C", "\xE0\x41", "\x9F\x9F",
    "\x83", "\x9F", "\xFC", "\xE0",  // lead bytes that may stand alone or pair with what follows
};

std::string RandomText(Rng& rng, int maxPieces, const std::vector<std::string>& pieces = kPieces) {
    std::string text;
    for (int i = 0, n = Pick(rng, maxPieces + 1); i < n; ++i) text += pieces[Pick(rng, static_cast<int>(pieces.size()))];
    return text;
}

// Every start offset in increasing order (the object keeps its place in the text between
// these calls), a few starts in random order (it must start afresh), and the counting loop.
void CompareWithReference(const std::string& pattern, bool isRegex, Rng& rng, int texts, int maxPieces = 14,
                          const std::vector<std::string>& pieces = kPieces) {
    RefParser parser(isRegex ? pattern : std::string());
    int root = -1;
    if (isRegex) {
        root = parser.Parse();
    } else {
        RefNode cat{RefNode::Concat};
        for (Code c : Decode(pattern).codes) {
            RefNode n{RefNode::Char};
            n.code = c;
            parser.nodes.push_back(n);
            cat.children.push_back(static_cast<int>(parser.nodes.size() - 1));
        }
        parser.nodes.push_back(cat);
        root = static_cast<int>(parser.nodes.size() - 1);
    }
    CGrexmo g;
    g.Read(pattern.c_str(), isRegex);
    ASSERT_TRUE(g.IsValid()) << Shown(pattern) << ": " << g.GetErrorText();
    for (int t = 0; t < texts; ++t) {
        const std::string text = RandomText(rng, maxPieces, pieces);
        const std::vector<char> exact(text.c_str(), text.c_str() + text.size() + 1);
        const std::string what = "pattern '" + Shown(pattern) + "' text '" + Shown(text) + "'";
        std::vector<RefHit> expected;
        for (std::size_t start = 0; start <= text.size(); ++start) expected.push_back(ReferenceFind(parser.nodes, root, text, start));
        for (std::size_t start = 0; start <= text.size(); ++start) {
            const int got = g.Find(exact.data(), static_cast<int>(start), false);
            ASSERT_EQ(got, expected[start].offset) << what << " start " << start;
            ASSERT_EQ(std::string(g.GetHitText()), expected[start].text) << what << " start " << start;
        }
        for (int k = 0; k < 4; ++k) {
            const std::size_t start = static_cast<std::size_t>(Pick(rng, static_cast<int>(text.size()) + 1));
            ASSERT_EQ(g.Find(exact.data(), static_cast<int>(start), false), expected[start].offset) << what << " start " << start;
            ASSERT_EQ(std::string(g.GetHitText()), expected[start].text) << what << " start " << start;
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
            if (want.text.empty()) start += grexmo_test::CharLength(text.c_str() + want.offset);
        }
        ASSERT_EQ(hits.size(), k) << what;
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

// Patterns whose preferred branch runs on past a hit and then fails, on texts dense with
// hits: later calls skip what such a branch was shown to fail on, and must still find
// exactly what the reference finds, from every start.
TEST(GrexmoReference, SkippingFailedBranchesKeepsTheHits) {
    const std::vector<std::string> pieces = {"A", "A", "A", "x", "\x83\x41", "\\", " ", "\n", "\x83", "\x83\x5C"};
    const char* const patterns[] = {
        "A*x|A", ".+[Ax]", "\\w*x|\\w", "[^x]*x|.", "(?:A|\x83\x41)*\\\\|A", "A+?x|A", "^.*x|.",
        "A*x|A*\\\\|.", "\x83\x41*$|\x83\x41", "(?:A )+x|A", ".*\\b|A", "(A|\x83\x41)+\\n|\\w|\\W",
        "\\bA*x|A\\B", "[A\x83\x41]*?x|[A\x83\x41]",
    };
    Rng rng(1618);
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        CompareWithReference(pattern, true, rng, 400, 30, pieces);
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
            const std::size_t at = static_cast<std::size_t>(Pick(rng, static_cast<int>(pattern.size())));
            const char b = bytes[static_cast<std::size_t>(Pick(rng, static_cast<int>(bytes.size())))];
            switch (Pick(rng, 3)) {
            case 0: pattern.insert(at, 1, b); break;
            case 1: pattern.erase(at, 1); break;
            default: pattern[at] = b; break;
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
            ASSERT_TRUE(hit.offset >= 0 && end <= text.size()) << Shown(pattern) << " in " << Shown(text);
            ASSERT_TRUE(boundary[hit.offset] && boundary[end]) << Shown(pattern) << " in " << Shown(text);
            ASSERT_EQ(text.compare(hit.offset, hit.text.size(), hit.text), 0);
        }
    }
    EXPECT_GT(valid, 1000);
    EXPECT_GT(invalid, 1000);
}

}  // namespace
