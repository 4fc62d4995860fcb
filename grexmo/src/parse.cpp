#include "parse.h"

#include "size_limits.h"

#include "grexmo/grexmo.h"

#include <string>
#include <utility>

namespace grexmo {
namespace {

bool IsAsciiDigit(CharCode c) { return c >= '0' && c <= '9'; }
bool IsAsciiAlnum(CharCode c) { return IsWordCode(c) && c != '_'; }

int HexValue(CharCode c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One open group: its alternatives so far, each a list of items to concatenate.
struct GroupFrame {
    std::vector<std::vector<int>> alternatives{1};
    std::size_t openOffset = 0;
    bool lastIsRepeat = false;  // the last item carries a quantifier already
    bool foldCase = false;      // under (?i): letters match either case
};

// The result of reading one escape sequence.
struct Escape {
    enum Kind { kChar, kSet, kAssertion } kind = kChar;
    CharCode code = 0;
    CharSet set;
    AssertKind assertion = AssertKind::kWordBoundary;
};

class Parser {
public:
    Parser(const std::vector<PatternChar>& chars, Ast* ast, PatternError* error)
        : chars_(chars), ast_(*ast), error_(*error) {}

    bool Run(unsigned folds);

private:
    bool AtEnd() const { return pos_ >= chars_.size(); }
    // 0 past the end: a pattern never holds a zero character, so it matches no syntax.
    CharCode Peek(std::size_t ahead = 0) const {
        return pos_ + ahead < chars_.size() ? chars_[pos_ + ahead].code : 0;
    }
    // Byte offset of the character at `index`; the pattern's length past the last one.
    std::size_t OffsetAt(std::size_t index) const {
        if (index < chars_.size()) return chars_[index].offset;
        if (chars_.empty()) return 0;
        return chars_.back().offset + (IsDoubleByteCode(chars_.back().code) ? 2 : 1);
    }
    bool Fail(std::string message, std::size_t index) {
        error_.message = std::move(message);
        error_.offset = OffsetAt(index);
        return false;
    }

    int AddNode(Node node) {
        ast_.nodes.push_back(std::move(node));
        return static_cast<int>(ast_.nodes.size() - 1);
    }
    int AddLiteral(CharCode c) {
        Node n;
        n.kind = NodeKind::kLiteral;
        n.code = c;
        return AddNode(std::move(n));
    }
    int AddClass(CharSet set) {
        set.Canonicalize();
        ast_.classes.push_back(std::move(set));
        Node n;
        n.kind = NodeKind::kClass;
        n.classIndex = static_cast<int>(ast_.classes.size() - 1);
        return AddNode(std::move(n));
    }
    int AddAssert(AssertKind kind) {
        Node n;
        n.kind = NodeKind::kAssert;
        n.assertion = kind;
        return AddNode(std::move(n));
    }
    void Append(int node, bool isRepeat = false) {
        stack_.back().alternatives.back().push_back(node);
        stack_.back().lastIsRepeat = isRepeat;
    }
    // Case folding is settled here, as classes, so the later stages never hear of it.
    void AppendClass(CharSet set) {
        if (stack_.back().foldCase) set.AddCaseFolds();
        Append(AddClass(std::move(set)));
    }
    void AppendChar(CharCode c) {
        if (stack_.back().foldCase) {
            CharSet set;
            set.AddChar(c);
            set.AddCaseFolds();
            // A letter now has two ranges (its two cases are never adjacent).
            if (set.Ranges().size() > 1) {
                Append(AddClass(std::move(set)));
                return;
            }
        }
        Append(AddLiteral(c));
    }
    int FinishGroup(GroupFrame& frame);

    bool ParseGroupSyntax(std::size_t open, bool* foldCase, bool* flagsOnly);
    bool ParseEscape(bool inClass, Escape* out);
    bool ParseClass();
    bool ParseQuantifier(int min, int max, std::size_t quantifierIndex);
    bool TryCountedRepeat(int* min, int* max, bool* isRepeat);

    const std::vector<PatternChar>& chars_;
    Ast& ast_;
    PatternError& error_;
    std::size_t pos_ = 0;
    std::vector<GroupFrame> stack_;
};

int Parser::FinishGroup(GroupFrame& frame) {
    std::vector<int> branches;
    for (std::vector<int>& items : frame.alternatives) {
        if (items.empty()) {
            branches.push_back(AddNode(Node{}));
        } else if (items.size() == 1) {
            branches.push_back(items[0]);
        } else {
            Node n;
            n.kind = NodeKind::kConcat;
            n.children = std::move(items);
            branches.push_back(AddNode(std::move(n)));
        }
    }
    if (branches.size() == 1) return branches[0];
    Node n;
    n.kind = NodeKind::kAlternate;
    n.children = std::move(branches);
    return AddNode(std::move(n));
}

// Reads what follows "(?" (pos_ is at the '?'): ":" opens a plain group, "i:" a group that
// folds case, and "i)" folds case for the whole expression, which only its first characters
// may say.
bool Parser::ParseGroupSyntax(std::size_t open, bool* foldCase, bool* flagsOnly) {
    *flagsOnly = false;
    const CharCode c = Peek(1);
    if (c == ':') {
        pos_ += 2;
        return true;
    }
    if (c == 'i' && Peek(2) == ':') {
        pos_ += 3;
        *foldCase = true;
        return true;
    }
    if (c == 'i' && Peek(2) == ')') {
        if (open != 0)
            return Fail("(?i) only at the start of the expression (elsewhere write (?i:...))",
                        open);
        pos_ += 3;
        *foldCase = true;
        *flagsOnly = true;
        return true;
    }
    if (c == 'i' || c == 'm' || c == 's' || c == 'x' || c == 'U' || c == '-')
        return Fail("malformed flag group (only (?i) and (?i:...) are known)", open);
    return Fail("unsupported group syntax (only (?:...), (?i) and (?i:...) are known)", open);
}

bool Parser::ParseEscape(bool inClass, Escape* out) {
    std::size_t backslash = pos_;
    ++pos_;
    if (AtEnd()) return Fail("trailing backslash", backslash);
    CharCode c = Peek();
    ++pos_;
    out->kind = Escape::kChar;
    switch (c) {
    case 'd':
    case 'D':
    case 'w':
    case 'W':
    case 's':
    case 'S':
        out->kind = Escape::kSet;
        out->set = (c == 'd' || c == 'D')   ? CharSet::Digits()
                   : (c == 'w' || c == 'W') ? CharSet::WordChars()
                                            : CharSet::Spaces();
        if (c == 'D' || c == 'W' || c == 'S') out->set.Negate();
        return true;
    case 'b':
    case 'B':
        if (inClass) return Fail("\\b and \\B are not allowed in a class", backslash);
        out->kind = Escape::kAssertion;
        out->assertion = c == 'b' ? AssertKind::kWordBoundary : AssertKind::kNotWordBoundary;
        return true;
    case 't':
        out->code = '\t';
        return true;
    case 'n':
        out->code = '\n';
        return true;
    case 'r':
        out->code = '\r';
        return true;
    case 'f':
        out->code = '\f';
        return true;
    case 'v':
        out->code = '\v';
        return true;
    case 'x': {
        int hi = HexValue(Peek()), lo = HexValue(Peek(1));
        if (AtEnd() || pos_ + 1 >= chars_.size() || hi < 0 || lo < 0)
            return Fail("\\x needs two hexadecimal digits", backslash);
        pos_ += 2;
        out->code = static_cast<CharCode>(hi * 16 + lo);
        if (out->code == 0) return Fail("\\x00 cannot occur in a text", backslash);
        // \xLL\xTT naming a lead and a trail byte is one double-byte character.
        if (IsLeadByte(static_cast<unsigned char>(out->code)) && Peek() == '\\' && Peek(1) == 'x' &&
            pos_ + 3 < chars_.size() && HexValue(Peek(2)) >= 0 && HexValue(Peek(3)) >= 0) {
            int trail = HexValue(Peek(2)) * 16 + HexValue(Peek(3));
            if (IsTrailByte(static_cast<unsigned char>(trail))) {
                out->code = static_cast<CharCode>((out->code << 8) | trail);
                pos_ += 4;
            }
        }
        return true;
    }
    default:
        if (IsAsciiDigit(c)) return Fail("backreferences are not supported", backslash);
        if (IsAsciiAlnum(c))
            return Fail(std::string("unknown escape \\") + static_cast<char>(c), backslash);
        out->code = c;  // an escaped metacharacter or any other character: itself
        return true;
    }
}

bool Parser::ParseClass() {
    std::size_t open = pos_;
    ++pos_;
    bool negated = false;
    if (Peek() == '^' && !AtEnd()) {
        negated = true;
        ++pos_;
    }
    CharSet set;
    bool first = true;
    for (;;) {
        if (AtEnd()) return Fail("missing ] to close the class", open);
        CharCode c = Peek();
        if (c == ']' && !first) {
            ++pos_;
            break;
        }
        first = false;
        std::size_t itemStart = pos_;
        CharCode lo;
        if (c == '\\') {
            Escape e;
            if (!ParseEscape(true, &e)) return false;
            if (e.kind == Escape::kSet) {
                if (Peek() == '-' && pos_ + 1 < chars_.size() && Peek(1) != ']')
                    return Fail("a class escape cannot start a range", itemStart);
                set.AddSet(e.set);
                continue;
            }
            lo = e.code;
        } else {
            lo = c;
            ++pos_;
        }
        if (Peek() == '-' && pos_ + 1 < chars_.size() && Peek(1) != ']') {
            ++pos_;
            CharCode hi;
            if (Peek() == '\\') {
                Escape e;
                if (!ParseEscape(true, &e)) return false;
                if (e.kind == Escape::kSet)
                    return Fail("a class escape cannot end a range", itemStart);
                hi = e.code;
            } else {
                hi = Peek();
                ++pos_;
            }
            if (hi < lo) return Fail("bad range in class (end before start)", itemStart);
            set.AddRange(lo, hi);
        } else {
            set.AddChar(lo);
        }
    }
    set.Canonicalize();
    // Folded before it is negated: (?i)[^a] takes neither a nor A.
    if (stack_.back().foldCase) set.AddCaseFolds();
    if (negated) set.Negate();
    Append(AddClass(std::move(set)));
    return true;
}

// Reads {m}, {m,} or {m,n} at pos_; when the braces do not form one, the '{' is a literal.
bool Parser::TryCountedRepeat(int* min, int* max, bool* isRepeat) {
    std::size_t i = pos_ + 1;
    auto readNumber = [&](int* value) {
        std::size_t begin = i;
        long v = 0;
        while (i < chars_.size() && IsAsciiDigit(chars_[i].code)) {
            if (v <= kMaxRepeatCount) v = v * 10 + (chars_[i].code - '0');
            ++i;
        }
        *value = v > kMaxRepeatCount ? kMaxRepeatCount + 1 : static_cast<int>(v);
        return i > begin;
    };
    *isRepeat = false;
    if (!readNumber(min)) return true;
    if (i < chars_.size() && chars_[i].code == '}') {
        *max = *min;
    } else if (i < chars_.size() && chars_[i].code == ',') {
        ++i;
        if (i < chars_.size() && chars_[i].code == '}') {
            *max = -1;
        } else if (!readNumber(max) || i >= chars_.size() || chars_[i].code != '}') {
            return true;
        }
    } else {
        return true;
    }
    std::size_t brace = pos_;
    pos_ = i + 1;
    *isRepeat = true;
    if (*min > kMaxRepeatCount || *max > kMaxRepeatCount)
        return Fail("repeat count above " + std::to_string(kMaxRepeatCount), brace);
    if (*max >= 0 && *max < *min) return Fail("bad repeat range (maximum below minimum)", brace);
    return true;
}

bool Parser::ParseQuantifier(int min, int max, std::size_t quantifierIndex) {
    GroupFrame& frame = stack_.back();
    std::vector<int>& items = frame.alternatives.back();
    if (items.empty()) return Fail("nothing to repeat", quantifierIndex);
    if (frame.lastIsRepeat) return Fail("nested quantifier", quantifierIndex);
    Node n;
    n.kind = NodeKind::kRepeat;
    n.children.push_back(items.back());
    n.min = min;
    n.max = max;
    if (Peek() == '?' && !AtEnd()) {
        n.greedy = false;
        ++pos_;
    }
    items.pop_back();
    Append(AddNode(std::move(n)), true);
    return true;
}

bool Parser::Run(unsigned folds) {
    stack_.emplace_back();
    stack_.back().foldCase = (folds & kGrexmoFoldCase) != 0;
    while (!AtEnd()) {
        CharCode c = Peek();
        std::size_t here = pos_;
        switch (c) {
        case '(': {
            ++pos_;
            bool foldCase = stack_.back().foldCase;
            if (Peek() == '?' && !AtEnd()) {
                bool flagsOnly = false;
                if (!ParseGroupSyntax(here, &foldCase, &flagsOnly)) return false;
                if (flagsOnly) {
                    stack_.back().foldCase = foldCase;
                    break;
                }
            }
            if (stack_.size() > kMaxNesting)
                return Fail("groups nested deeper than " + std::to_string(kMaxNesting), here);
            stack_.emplace_back();
            stack_.back().openOffset = here;
            stack_.back().foldCase = foldCase;
            break;
        }
        case ')': {
            if (stack_.size() == 1) return Fail("unmatched )", here);
            ++pos_;
            GroupFrame frame = std::move(stack_.back());
            stack_.pop_back();
            Append(FinishGroup(frame));
            break;
        }
        case '|':
            ++pos_;
            stack_.back().alternatives.emplace_back();
            stack_.back().lastIsRepeat = false;
            break;
        case '*':
            ++pos_;
            if (!ParseQuantifier(0, -1, here)) return false;
            break;
        case '+':
            ++pos_;
            if (!ParseQuantifier(1, -1, here)) return false;
            break;
        case '?':
            ++pos_;
            if (!ParseQuantifier(0, 1, here)) return false;
            break;
        case '{': {
            int min = 0, max = 0;
            bool isRepeat = false;
            if (!TryCountedRepeat(&min, &max, &isRepeat)) return false;
            if (isRepeat) {
                if (!ParseQuantifier(min, max, here)) return false;
            } else {
                ++pos_;
                AppendChar(c);
            }
            break;
        }
        case '.':
            ++pos_;
            AppendClass(CharSet::AnyButLineBreak());
            break;
        case '^':
            ++pos_;
            Append(AddAssert(AssertKind::kLineStart));
            break;
        case '$':
            ++pos_;
            Append(AddAssert(AssertKind::kLineEnd));
            break;
        case '[':
            if (!ParseClass()) return false;
            break;
        case '\\': {
            Escape e;
            if (!ParseEscape(false, &e)) return false;
            if (e.kind == Escape::kSet)
                AppendClass(std::move(e.set));
            else if (e.kind == Escape::kAssertion)
                Append(AddAssert(e.assertion));
            else
                AppendChar(e.code);
            break;
        }
        default:
            ++pos_;
            AppendChar(c);
            break;
        }
    }
    if (stack_.size() > 1) return Fail("missing ) to close the group", stack_.back().openOffset);
    ast_.root = FinishGroup(stack_.back());
    return true;
}

}  // namespace

bool ParseRegex(const std::vector<PatternChar>& chars, unsigned folds, Ast* ast,
                PatternError* error) {
    *ast = Ast{};
    Parser parser(chars, ast, error);
    return parser.Run(folds);
}

void ParseLiteral(const std::vector<PatternChar>& chars, unsigned /*folds*/, Ast* ast) {
    *ast = Ast{};
    Node concat;
    concat.kind = NodeKind::kConcat;
    for (const PatternChar& c : chars) {
        Node n;
        n.kind = NodeKind::kLiteral;
        n.code = c.code;
        ast->nodes.push_back(std::move(n));
        concat.children.push_back(static_cast<int>(ast->nodes.size() - 1));
    }
    ast->nodes.push_back(std::move(concat));
    ast->root = static_cast<int>(ast->nodes.size() - 1);
}

}  // namespace grexmo
