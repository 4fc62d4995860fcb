// A plain backtracking matcher written from Grexmo's documented syntax, for checking Grexmo
// against. It decodes pattern and text into Shift_JIS characters first and then tries every
// path in order of preference, so it knows nothing of literals, start bytes, boundaries found
// backwards or state kept between calls. It reads the patterns the tests write (always valid),
// and it is exponential in the worst case: keep texts short.
#ifndef GREXMO_REFERENCE_MATCHER_H
#define GREXMO_REFERENCE_MATCHER_H

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace grexmo_reference {

using Code = unsigned;  // one byte's value, or lead * 256 + trail

inline bool IsLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool IsTrail(unsigned b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }
inline bool IsWord(Code c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Under (?i): the lower-case form of an ASCII or full-width Latin letter (Ａ is 0x8260,
// ａ 0x8281), any other character as it is.
inline Code Folded(Code c) {
    if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
    if (c >= 0x8260 && c <= 0x8279) return c + (0x8281 - 0x8260);
    return c;
}
// The other case of a letter, any other character as it is.
inline Code OtherCase(Code c) {
    if (c >= 'a' && c <= 'z') return c - ('a' - 'A');
    if (c >= 0x8281 && c <= 0x829A) return c - (0x8281 - 0x8260);
    return Folded(c);
}

// Characters of a byte string and the byte offset where each begins (plus the length).
struct Decoded {
    std::vector<Code> codes;
    std::vector<std::size_t> offsets;
};

inline Decoded Decode(const std::string& s) {
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
    enum Kind {
        Char,
        Set,
        LineStart,
        LineEnd,
        WordBoundary,
        NotWordBoundary,
        Concat,
        Alternate,
        Repeat
    };
    explicit RefNode(Kind k) : kind(k) {}
    Kind kind;
    Code code = 0;
    std::vector<std::pair<Code, Code>> ranges;  // Set
    bool negated = false;                       // Set
    bool fold = false;                          // Char, Set: under (?i)
    std::vector<int> children;
    int min = 0, max = -1;
    bool greedy = true;
};

// A recursive-descent reader for the patterns the generator below writes (always valid).
class RefParser {
public:
    explicit RefParser(const std::string& pattern) : chars_(Decode(pattern).codes) {}
    std::vector<RefNode> nodes;

    // The root node, or -1 when the reader stopped before the end of the pattern.
    int Parse() {
        if (Peek() == '(' && Peek(1) == '?' && Peek(2) == 'i' && Peek(3) == ')') {
            fold_ = true;
            pos_ = 4;
        }
        int root = Alternation();
        return pos_ == chars_.size() ? root : -1;
    }

private:
    Code Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < chars_.size() ? chars_[pos_ + ahead] : 0;
    }
    int Add(RefNode n) {
        n.fold = fold_;
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
        case 'd':
            *set = SetOf({{'0', '9'}}, false);
            return false;
        case 'D':
            *set = SetOf({{'0', '9'}}, true);
            return false;
        case 'w':
            *set = SetOf({{'0', '9'}, {'A', 'Z'}, {'a', 'z'}, {'_', '_'}}, false);
            return false;
        case 'W':
            *set = SetOf({{'0', '9'}, {'A', 'Z'}, {'a', 'z'}, {'_', '_'}}, true);
            return false;
        case 's':
            *set = SetOf({{'\t', '\r'}, {' ', ' '}, {0x8140, 0x8140}}, false);
            return false;
        case 'S':
            *set = SetOf({{'\t', '\r'}, {' ', ' '}, {0x8140, 0x8140}}, true);
            return false;
        case 't':
            *code = '\t';
            return true;
        case 'n':
            *code = '\n';
            return true;
        case 'r':
            *code = '\r';
            return true;
        case 'f':
            *code = '\f';
            return true;
        case 'v':
            *code = '\v';
            return true;
        case 'x': {
            Code v = static_cast<Code>(Hex(chars_[pos_]) * 16 + Hex(chars_[pos_ + 1]));
            pos_ += 2;
            if (IsLead(v) && Peek() == '\\' && Peek(1) == 'x' && Hex(Peek(2)) >= 0 &&
                Hex(Peek(3)) >= 0) {
                const Code trail = static_cast<Code>(Hex(Peek(2)) * 16 + Hex(Peek(3)));
                if (IsTrail(trail)) {
                    v = v << 8 | trail;
                    pos_ += 4;
                }
            }
            *code = v;
            return true;
        }
        default:
            *code = c;
            return true;
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
            const bool outer = fold_;
            if (Peek() == '?' && Peek(1) == 'i') {
                fold_ = true;
                pos_ += 3;  // (?i:
            } else if (Peek() == '?') {
                pos_ += 2;  // (?:
            }
            int inner = Alternation();
            ++pos_;  // )
            fold_ = outer;
            return inner;
        }
        case '[':
            return Class();
        case '.':
            return Add(SetOf({{'\n', '\n'}, {'\r', '\r'}}, true));
        case '^':
            return Add(RefNode(RefNode::LineStart));
        case '$':
            return Add(RefNode(RefNode::LineEnd));
        case '\\': {
            if (Peek() == 'b' || Peek() == 'B') {
                return Add(RefNode{chars_[pos_++] == 'b' ? RefNode::WordBoundary
                                                         : RefNode::NotWordBoundary});
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
        while (pos_ < chars_.size() && Peek() != '|' && Peek() != ')')
            cat.children.push_back(Quantified());
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
    bool fold_ = false;
};

// Tries every path in order of preference; `then` is what must follow.
class RefMatcher {
public:
    RefMatcher(const std::vector<RefNode>& nodes, const std::vector<Code>& text)
        : nodes_(nodes), text_(text) {}

    using Then = std::function<bool(std::size_t)>;

    bool Match(int n, std::size_t i, const Then& then) const {
        const RefNode& node = nodes_[n];
        const std::size_t size = text_.size();
        switch (node.kind) {
        case RefNode::Char:
            return i < size && SameChar(node, text_[i]) && then(i + 1);
        case RefNode::Set:
            return i < size && InSet(node, text_[i]) && then(i + 1);
        case RefNode::LineStart:
            return (i == 0 || text_[i - 1] == '\n') && then(i);
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
        case RefNode::Concat:
            return Sequence(node.children, 0, i, then);
        case RefNode::Alternate:
            for (int child : node.children)
                if (Match(child, i, then)) return true;
            return false;
        case RefNode::Repeat:
            return Rounds(node, 0, i, then);
        }
        return false;
    }

private:
    static bool SameChar(const RefNode& node, Code c) {
        return node.fold ? Folded(c) == Folded(node.code) : c == node.code;
    }
    static bool InSet(const RefNode& set, Code c) {
        bool in = false;
        for (const auto& r : set.ranges) {
            in = in || (c >= r.first && c <= r.second);
            if (set.fold) in = in || (OtherCase(c) >= r.first && OtherCase(c) <= r.second);
        }
        return in != set.negated;
    }
    bool Sequence(const std::vector<int>& items, std::size_t k, std::size_t i,
                  const Then& then) const {
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
inline RefHit ReferenceFind(const std::vector<RefNode>& nodes, int root, const std::string& text,
                            std::size_t start) {
    const Decoded d = Decode(text);
    RefMatcher matcher(nodes, d.codes);
    for (std::size_t i = 0; i < d.offsets.size(); ++i) {
        if (d.offsets[i] < start) continue;
        std::size_t end = 0;
        if (matcher.Match(root, i, [&](std::size_t j) {
                end = j;
                return true;
            })) {
            RefHit hit;
            hit.offset = static_cast<int>(d.offsets[i]);
            hit.text = text.substr(d.offsets[i], d.offsets[end] - d.offsets[i]);
            return hit;
        }
    }
    return RefHit{};
}

// Nodes for a plain-text word, every character standing for itself; returns the root.
inline int PlainTextNodes(const std::string& word, std::vector<RefNode>& nodes) {
    RefNode cat{RefNode::Concat};
    for (Code c : Decode(word).codes) {
        RefNode n{RefNode::Char};
        n.code = c;
        nodes.push_back(n);
        cat.children.push_back(static_cast<int>(nodes.size() - 1));
    }
    nodes.push_back(cat);
    return static_cast<int>(nodes.size() - 1);
}

// Whether some loop of the pattern has a body that can match the empty string: there
// backtracking engines and automata part ways, so such patterns are not compared.
inline bool HasEmptyLoopBody(const std::vector<RefNode>& nodes) {
    std::vector<char> nullable(nodes.size(), 0);
    // Children are always added before their parents.
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const RefNode& n = nodes[i];
        bool all = true, any = false;
        for (int c : n.children) {
            all = all && nullable[c];
            any = any || nullable[c];
        }
        switch (n.kind) {
        case RefNode::Char:
        case RefNode::Set:
            nullable[i] = 0;
            break;
        case RefNode::Concat:
            nullable[i] = all;
            break;
        case RefNode::Alternate:
            nullable[i] = any;
            break;
        case RefNode::Repeat:
            if (any) return true;
            nullable[i] = n.min == 0;
            break;
        default:
            nullable[i] = 1;
            break;  // anchors take no character
        }
    }
    return false;
}

}  // namespace grexmo_reference

#endif
