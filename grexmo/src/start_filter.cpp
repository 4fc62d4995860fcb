#include "start_filter.h"

#include <vector>

namespace grexmo {
namespace {

constexpr int kMaxUsefulStartBytes = 96;

void AppendCodeBytes(std::string* out, CharCode c) {
    if (IsDoubleByteCode(c)) out->push_back(static_cast<char>(c >> 8));
    out->push_back(static_cast<char>(c & 0xFF));
}

// Whether the bytes read back as exactly these characters. Escapes can break that: a lone
// lead byte written as \x83 followed by a backslash spells the bytes of the one character ソ.
// Such a literal still filters candidates, and the VM then decides.
bool DecodesTo(const std::string& bytes, const std::vector<CharCode>& codes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.c_str());
    std::size_t offset = 0;
    for (CharCode expected : codes) {
        DecodedChar c = DecodeChar(p + offset);
        if (c.code != expected) return false;
        offset += c.length;
    }
    return true;
}

// Follows the one path that every hit takes from the start, through plain characters;
// anchors are zero-width, so they are stepped over (the matcher still checks them).
void ReadLiteralPrefix(const Prog& prog, std::string* literal, bool* isWholeLiteral) {
    literal->clear();
    *isWholeLiteral = false;
    bool sawAnchor = false;
    std::vector<CharCode> codes;
    std::size_t pc = 0;
    for (std::size_t steps = 0; steps <= prog.insts.size(); ++steps) {
        const Inst& inst = prog.insts[pc];
        switch (inst.op) {
        case Op::kChar:
            AppendCodeBytes(literal, inst.code);
            codes.push_back(inst.code);
            ++pc;
            break;
        case Op::kJmp:
            pc = static_cast<std::size_t>(inst.x);
            break;
        case Op::kAssert:
            sawAnchor = true;
            ++pc;
            break;
        case Op::kMatch:
            *isWholeLiteral = !sawAnchor && DecodesTo(*literal, codes);
            return;
        default:
            return;
        }
    }
}

// The bytes a hit can begin with; false when a hit may be empty or may begin with almost
// anything.
bool ReadStartBytes(const Prog& prog, bool (&members)[256]) {
    std::vector<bool> seen(prog.insts.size(), false);
    std::vector<std::int32_t> stack{0};
    while (!stack.empty()) {
        std::int32_t pc = stack.back();
        stack.pop_back();
        if (seen[pc]) continue;
        seen[pc] = true;
        const Inst& inst = prog.insts[pc];
        switch (inst.op) {
        case Op::kMatch:
            return false;
        case Op::kJmp:
            stack.push_back(inst.x);
            break;
        case Op::kSplit:
            stack.push_back(inst.y);
            stack.push_back(inst.x);
            break;
        case Op::kAssert:
            stack.push_back(pc + 1);
            break;
        case Op::kChar:
            members[IsDoubleByteCode(inst.code) ? inst.code >> 8 : inst.code] = true;
            break;
        case Op::kClass: {
            const ProgClass& cls = prog.classes[inst.classIndex];
            for (int b = 0; b < 256; ++b)
                if (cls.ContainsSingle(static_cast<unsigned char>(b))) members[b] = true;
            for (const CodeRange& r : cls.DoubleRanges())
                for (unsigned lead = r.lo >> 8; lead <= (r.hi >> 8u); ++lead)
                    if (IsLeadByte(static_cast<unsigned char>(lead))) members[lead] = true;
            break;
        }
        }
    }
    int count = 0;
    for (bool m : members) count += m;
    return count <= kMaxUsefulStartBytes;
}

// The longest run of plain characters among the top-level parts of the pattern: every hit
// contains those bytes.
std::string LongestRequiredLiteral(const Ast& ast) {
    if (ast.root < 0 || ast.nodes[ast.root].kind != NodeKind::kConcat) return std::string();
    std::string best, run;
    for (int child : ast.nodes[ast.root].children) {
        const Node& node = ast.nodes[child];
        if (node.kind == NodeKind::kLiteral) {
            AppendCodeBytes(&run, node.code);
            if (run.size() > best.size()) best = run;
        } else if (node.kind != NodeKind::kAssert) {
            run.clear();
        }
    }
    return best;
}

bool NoInstructionTakesLineFeed(const Prog& prog) {
    for (const Inst& inst : prog.insts) {
        if (inst.op == Op::kChar && inst.code == '\n') return false;
        if (inst.op == Op::kClass && prog.classes[inst.classIndex].ContainsSingle('\n'))
            return false;
    }
    return true;
}

}  // namespace

StartFilter StartFilter::ForLiteral(const std::string& literal) {
    StartFilter f;
    if (!literal.empty()) {
        f.kind_ = Kind::kLiteral;
        f.literal_ = LiteralFinder(literal);
    }
    return f;
}

StartFilter StartFilter::Analyze(const Ast& ast, const Prog& prog, std::string* literal,
                                 bool* isWholeLiteral) {
    ReadLiteralPrefix(prog, literal, isWholeLiteral);
    if (!literal->empty()) return ForLiteral(*literal);
    StartFilter f;
    const std::string required = LongestRequiredLiteral(ast);
    bool members[256] = {};
    if (required.size() < 2 && ReadStartBytes(prog, members)) {
        f.kind_ = Kind::kByteSet;
        f.bytes_ = ByteSetFinder(members);
    } else if (!required.empty()) {
        f.kind_ = Kind::kRequiredLiteral;
        f.literal_ = LiteralFinder(required);
        f.hitsStayOnOneLine_ = NoInstructionTakesLineFeed(prog);
    }
    return f;
}

bool StartFilter::Next(const unsigned char* text, std::size_t length, Boundary from,
                       Boundary* out) const {
    if (kind_ == Kind::kNone) {
        *out = from;
        return from.pos <= length;
    }
    Boundary known = from;
    std::size_t searchFrom = from.pos;
    for (;;) {
        std::size_t raw = kind_ == Kind::kLiteral ? literal_.Find(text, searchFrom, length)
                                                  : bytes_.Find(text, searchFrom, length);
        if (raw == kNoPosition) return false;
        Boundary b = NextBoundaryAtOrAfter(text, known, raw);
        if (b.pos == raw) {
            *out = b;
            return true;
        }
        known = b;
        searchFrom = b.pos;
    }
}

bool StartFilter::NextWindow(const unsigned char* text, std::size_t length, Boundary from,
                             StartWindow* out) const {
    if (kind_ != Kind::kRequiredLiteral) {
        if (!Next(text, length, from, &out->begin)) return false;
        out->last = out->begin.pos;
        return true;
    }
    const std::size_t at = literal_.Find(text, from.pos, length);
    if (at == kNoPosition) return false;
    // A hit containing the literal at `at` starts at or before it, and after the last line
    // feed before it when no hit can hold a line feed.
    std::size_t begin = at;
    if (hitsStayOnOneLine_) {
        while (begin > from.pos && text[begin - 1] != '\n') --begin;
    } else {
        begin = from.pos;
    }
    out->begin = begin == from.pos ? from : Boundary{begin, begin - 1};
    out->last = at;
    return true;
}

}  // namespace grexmo
