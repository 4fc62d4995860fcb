#include "parse.h"

#include "fold.h"
#include "fold_tables.h"
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
    unsigned folds = 0;         // GrexmoFold values in force: (?i), (?w), (?k)
};

// The result of reading one escape sequence.
struct Escape {
    enum Kind { kChar, kSet, kAssertion } kind = kChar;
    CharCode code = 0;
    CharSet set;
    bool negated = false;  // \D \W \S: everything but `set`, negated once it is folded
    AssertKind assertion = AssertKind::kWordBoundary;
};

class Parser {
public:
    Parser(const std::vector<PatternChar>& chars, Ast* ast, PatternError* error)
        : chars_(chars), ast_(*ast), error_(*error) {}

    bool Run(unsigned folds);
    // Every character stands for itself, folded.
    void RunPlain(unsigned folds) {
        stack_.emplace_back();
        stack_.back().folds = folds;
        while (!AtEnd()) AppendChar(TakeChar());
        ast_.root = FinishGroup(stack_.back());
    }

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
    int AddConcat(std::vector<int> children) {
        Node n;
        n.kind = NodeKind::kConcat;
        n.children = std::move(children);
        return AddNode(std::move(n));
    }
    void Append(int node, bool isRepeat = false) {
        stack_.back().alternatives.back().push_back(node);
        stack_.back().lastIsRepeat = isRepeat;
    }
    unsigned Folds() const { return stack_.back().folds; }
    // The character at pos_, which it passes; under width a half-width kana and the mark that
    // joins it are read as the one kana they are, as in the text.
    CharCode TakeChar() {
        const CharCode c = Peek();
        ++pos_;
        if ((Folds() & kGrexmoFoldWidth) && !AtEnd()) {
            const CharCode joined = JoinedKana(c, Peek());
            if (joined != 0) {
                ++pos_;
                return joined;
            }
        }
        return c;
    }
    // Folding is settled here, as classes, so the later stages never hear of it.
    void AppendClass(CharSet set) {
        if (Folds() != 0) AddFoldedForms(&set, Folds());
        AppendFoldedSet(std::move(set));
    }
    void AppendChar(CharCode c) {
        if (Folds() == 0) {
            Append(AddLiteral(c));
            return;
        }
        CharSet set;
        set.AddChar(c);
        AppendClass(std::move(set));
    }
    // `set` folded (and negated) already.
    void AppendFoldedSet(CharSet set) {
        if (Folds() & kGrexmoFoldWidth) {
            Append(AddJoinAware(std::move(set)));
        } else if (Folds() != 0) {
            Append(AddSetNode(std::move(set)));
        } else {
            Append(AddClass(std::move(set)));
        }
    }
    // A set of one character is that character, so a folded word keeps its literal runs.
    int AddSetNode(CharSet set) {
        set.Canonicalize();
        const std::vector<CodeRange>& r = set.Ranges();
        if (r.size() == 1 && r[0].lo == r[0].hi) return AddLiteral(r[0].lo);
        return AddClass(std::move(set));
    }
    int AddJoinAware(CharSet set);
    int FinishGroup(GroupFrame& frame);

    bool ParseGroupSyntax(std::size_t open, unsigned* folds, bool* flagsOnly);
    bool ParseEscape(bool inClass, Escape* out);
    // \D under (?w) takes no digit of either width: the set is folded, then negated.
    CharSet FoldedEscapeSet(Escape e) {
        if (Folds() != 0) AddFoldedForms(&e.set, Folds());
        if (e.negated) e.set.Negate();
        return std::move(e.set);
    }
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

// Under width: the characters of `set`, where a half-width kana that the mark after it joins
// is taken with that mark when their joined kana is in the set and alone only when no such
// mark follows, and a mark alone only where it joins nothing before it. So ｶﾞ is one
// character, and no hit starts or ends between its two bytes.
int Parser::AddJoinAware(CharSet set) {
    set.Canonicalize();
    CharSet bases, marks, joinedBy[2];  // by mark: ﾞ, ﾟ
    bool any = false;
    for (const SoundMarkJoin& j : kSoundMarkJoins) {
        if (set.Contains(j.base)) {
            bases.AddChar(j.base);
            any = true;
        }
        if (set.Contains(j.joined)) {
            joinedBy[j.mark == kHalfWidthVoicedMark ? 0 : 1].AddChar(j.base);
            any = true;
        }
    }
    for (CharCode mark : {kHalfWidthVoicedMark, kHalfWidthSemiVoicedMark}) {
        if (set.Contains(mark)) {
            marks.AddChar(mark);
            any = true;
        }
    }
    if (!any) return AddSetNode(std::move(set));
    CharSet plain = set;
    plain.Remove(bases);
    plain.Remove(marks);
    std::vector<int> branches;
    const CharCode markOf[2] = {kHalfWidthVoicedMark, kHalfWidthSemiVoicedMark};
    for (int m = 0; m < 2; ++m)
        if (!joinedBy[m].Empty())
            branches.push_back(AddConcat({AddSetNode(joinedBy[m]), AddLiteral(markOf[m])}));
    if (!plain.Empty()) branches.push_back(AddSetNode(std::move(plain)));
    if (!bases.Empty())
        branches.push_back(
            AddConcat({AddSetNode(bases), AddAssert(AssertKind::kNotInsideJoinedKana)}));
    if (!marks.Empty())
        branches.push_back(
            AddConcat({AddAssert(AssertKind::kNotInsideJoinedKana), AddSetNode(marks)}));
    if (branches.size() == 1) return branches[0];
    Node n;
    n.kind = NodeKind::kAlternate;
    n.children = std::move(branches);
    return AddNode(std::move(n));
}

// Reads what follows "(?" (pos_ is at the '?'): ":" opens a plain group; flags (i, w and k,
// each at most once) then ":" open a group that folds as they say, and flags then ")" fold
// the whole expression, which only its first characters may say.
bool Parser::ParseGroupSyntax(std::size_t open, unsigned* folds, bool* flagsOnly) {
    *flagsOnly = false;
    const CharCode first = Peek(1);
    if (first == ':') {
        pos_ += 2;
        return true;
    }
    if (first != 'i' && first != 'w' && first != 'k' && first != 'm' && first != 's' &&
        first != 'x' && first != 'U' && first != '-')
        return Fail("unsupported group syntax (only (?:...), flags such as (?iwk) and groups "
                    "such as (?iwk:...) are known)",
                    open);
    unsigned flags = 0;
    std::string written;
    std::size_t ahead = 1;
    for (;; ++ahead) {
        const CharCode c = Peek(ahead);
        unsigned flag = 0;
        if (c == 'i') flag = kGrexmoFoldCase;
        if (c == 'w') flag = kGrexmoFoldWidth;
        if (c == 'k') flag = kGrexmoFoldKana;
        if (flag == 0 || (flags & flag)) break;
        flags |= flag;
        written.push_back(static_cast<char>(c));
    }
    const CharCode close = Peek(ahead);
    if (flags == 0 || (close != ':' && close != ')'))
        return Fail("malformed flag group (only i, w and k, each at most once, as in (?iwk) "
                    "and (?iwk:...), are known)",
                    open);
    if (close == ')' && open != 0)
        return Fail("flag group (?" + written + ") only at the start of the expression (elsewhere "
                    "write (?" + written + ":...))",
                    open);
    pos_ += ahead + 1;
    *folds |= flags;
    *flagsOnly = close == ')';
    return true;
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
        out->negated = c == 'D' || c == 'W' || c == 'S';
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
                set.AddSet(FoldedEscapeSet(std::move(e)));
                continue;
            }
            lo = e.code;
        } else {
            lo = TakeChar();
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
                hi = TakeChar();
            }
            if (hi < lo) return Fail("bad range in class (end before start)", itemStart);
            set.AddRange(lo, hi);
        } else {
            set.AddChar(lo);
        }
    }
    set.Canonicalize();
    // Folded before it is negated: (?i)[^a] takes neither a nor A.
    if (Folds() != 0) AddFoldedForms(&set, Folds());
    if (negated) set.Negate();
    AppendFoldedSet(std::move(set));
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
    stack_.back().folds = folds;
    while (!AtEnd()) {
        CharCode c = Peek();
        std::size_t here = pos_;
        switch (c) {
        case '(': {
            ++pos_;
            unsigned folds = Folds();
            if (Peek() == '?' && !AtEnd()) {
                bool flagsOnly = false;
                if (!ParseGroupSyntax(here, &folds, &flagsOnly)) return false;
                if (flagsOnly) {
                    stack_.back().folds = folds;
                    break;
                }
            }
            if (stack_.size() > kMaxNesting)
                return Fail("groups nested deeper than " + std::to_string(kMaxNesting), here);
            stack_.emplace_back();
            stack_.back().openOffset = here;
            stack_.back().folds = folds;
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
                AppendFoldedSet(FoldedEscapeSet(std::move(e)));
            else if (e.kind == Escape::kAssertion)
                Append(AddAssert(e.assertion));
            else
                AppendChar(e.code);
            break;
        }
        default:
            AppendChar(TakeChar());
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

void ParseLiteral(const std::vector<PatternChar>& chars, unsigned folds, Ast* ast) {
    *ast = Ast{};
    if (folds != 0) {
        PatternError unused;
        Parser parser(chars, ast, &unused);
        parser.RunPlain(folds);
        return;
    }
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
