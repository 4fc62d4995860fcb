#include "start_filter.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
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

// The instructions that consume a character first on the way from `pc`, through jumps,
// splits and assertions; false when Match is on the way.
bool FirstConsumers(const Prog& prog, std::int32_t pc0, std::vector<std::int32_t>* out) {
    std::vector<bool> seen(prog.insts.size(), false);
    std::vector<std::int32_t> stack{pc0};
    while (!stack.empty()) {
        const std::int32_t pc = stack.back();
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
        default:
            out->push_back(pc);
            break;
        }
    }
    return true;
}

// The bytes a hit can begin with; false when a hit may be empty or may begin with almost
// anything.
bool ReadStartBytes(const Prog& prog, bool (&members)[256]) {
    std::vector<std::int32_t> consumers;
    if (!FirstConsumers(prog, 0, &consumers)) return false;
    for (std::int32_t pc : consumers) {
        const Inst& inst = prog.insts[pc];
        if (inst.op == Op::kChar) {
            members[IsDoubleByteCode(inst.code) ? inst.code >> 8 : inst.code] = true;
            continue;
        }
        const ProgClass& cls = prog.classes[inst.classIndex];
        for (int b = 0; b < 256; ++b)
            if (cls.ContainsSingle(static_cast<unsigned char>(b))) members[b] = true;
        for (const CodeRange& r : cls.DoubleRanges())
            for (unsigned lead = r.lo >> 8; lead <= (r.hi >> 8u); ++lead)
                if (IsLeadByte(static_cast<unsigned char>(lead))) members[lead] = true;
    }
    int count = 0;
    for (bool m : members) count += m;
    return count <= kMaxUsefulStartBytes;
}

// Bytes as a 256-bit set.
struct ByteBits {
    std::uint64_t words[4] = {};
    void Add(unsigned b) { words[b >> 6] |= std::uint64_t{1} << (b & 63); }
    void AddRange(unsigned lo, unsigned hi) {
        for (unsigned b = lo; b <= hi; ++b) Add(b);
    }
    bool Has(unsigned b) const { return (words[b >> 6] >> (b & 63)) & 1; }
    void AddAll(const ByteBits& o) {
        for (int i = 0; i < 4; ++i) words[i] |= o.words[i];
    }
};

// The set as at most ByteRanges::kMax ranges, closing the narrowest gaps first when it has
// more: a filter may let through more than it must.
ByteRanges AsFewRanges(const ByteBits& bits) {
    std::vector<CodeRange> ranges;
    for (unsigned b = 0; b < 256; ++b) {
        if (!bits.Has(b)) continue;
        if (!ranges.empty() && ranges.back().hi + 1u == b)
            ranges.back().hi = static_cast<CharCode>(b);
        else
            ranges.push_back({static_cast<CharCode>(b), static_cast<CharCode>(b)});
    }
    while (ranges.size() > static_cast<std::size_t>(ByteRanges::kMax)) {
        std::size_t narrowest = 0;
        for (std::size_t i = 1; i + 1 < ranges.size(); ++i)
            if (ranges[i + 1].lo - ranges[i].hi < ranges[narrowest + 1].lo - ranges[narrowest].hi)
                narrowest = i;
        ranges[narrowest].hi = ranges[narrowest + 1].hi;
        ranges.erase(ranges.begin() + static_cast<std::ptrdiff_t>(narrowest) + 1);
    }
    ByteRanges out{};
    for (const CodeRange& r : ranges) {
        out.lo[out.count] = static_cast<unsigned char>(r.lo);
        out.width[out.count] = static_cast<unsigned char>(r.hi - r.lo);
        ++out.count;
    }
    return out;
}

// The first `length` bytes a hit can begin with, as at most BytePrefixSet::kMaxPrefixes
// runs of byte sets (a Char is its bytes; a Class its single bytes, or its lead bytes and
// then its trail bytes); false when there would be more, or a run ends after one byte. A run
// stops early where a hit may end.
bool ReadStartPrefixes(const Prog& prog, int length, BytePrefixSet* out) {
    struct Run {
        std::int32_t pc;
        std::vector<ByteBits> bytes;
    };
    std::vector<Run> open{Run{0, {}}};
    std::vector<std::vector<ByteBits>> done;
    auto finish = [&](std::vector<ByteBits> bytes) {
        for (const std::vector<ByteBits>& d : done) {
            bool same = d.size() == bytes.size();
            for (std::size_t j = 0; same && j < d.size(); ++j)
                same = std::equal(std::begin(d[j].words), std::end(d[j].words),
                                  std::begin(bytes[j].words));
            if (same) return true;
        }
        done.push_back(std::move(bytes));
        return done.size() <= static_cast<std::size_t>(BytePrefixSet::kMaxPrefixes);
    };
    for (int steps = 0; !open.empty(); ++steps) {
        if (steps > 64) return false;
        Run run = std::move(open.back());
        open.pop_back();
        if (static_cast<int>(run.bytes.size()) >= length) {
            run.bytes.resize(static_cast<std::size_t>(length));
            if (!finish(std::move(run.bytes))) return false;
            continue;
        }
        std::vector<std::int32_t> consumers;
        if (!FirstConsumers(prog, run.pc, &consumers)) {
            if (run.bytes.size() < 2 || !finish(std::move(run.bytes))) return false;
            continue;
        }
        for (std::int32_t c : consumers) {
            const Inst& inst = prog.insts[c];
            std::vector<std::vector<ByteBits>> pieces;  // each one or two bytes
            if (inst.op == Op::kChar) {
                ByteBits first, second;
                if (IsDoubleByteCode(inst.code)) {
                    first.Add(inst.code >> 8);
                    second.Add(inst.code & 0xFFu);
                    pieces.push_back({first, second});
                } else {
                    first.Add(inst.code);
                    pieces.push_back({first});
                }
            } else {
                const ProgClass& cls = prog.classes[inst.classIndex];
                ByteBits singles, leads, trails;
                bool anySingle = false;
                for (int b = 0; b < 256; ++b) {
                    if (!cls.ContainsSingle(static_cast<unsigned char>(b))) continue;
                    singles.Add(static_cast<unsigned>(b));
                    anySingle = true;
                }
                if (anySingle) pieces.push_back({singles});
                // A few lead bytes each with their own trail bytes (で and デ are not 82 66);
                // more as one set of leads and one of trails.
                std::vector<std::pair<unsigned, ByteBits>> byLead;
                for (const CodeRange& r : cls.DoubleRanges()) {
                    leads.AddRange(r.lo >> 8, r.hi >> 8);
                    for (unsigned lead = r.lo >> 8; lead <= (r.hi >> 8u); ++lead) {
                        const unsigned from = lead == (r.lo >> 8u) ? (r.lo & 0xFFu) : 0x40u;
                        const unsigned to = lead == (r.hi >> 8u) ? (r.hi & 0xFFu) : 0xFCu;
                        trails.AddRange(from, to);
                        if (byLead.empty() || byLead.back().first != lead) byLead.push_back({lead, {}});
                        byLead.back().second.AddRange(from, to);
                    }
                }
                if (byLead.size() <= 3) {
                    for (const auto& [lead, leadTrails] : byLead) {
                        ByteBits leadBits;
                        leadBits.Add(lead);
                        pieces.push_back({leadBits, leadTrails});
                    }
                } else {
                    pieces.push_back({leads, trails});
                }
            }
            for (std::vector<ByteBits>& piece : pieces) {
                Run next{c + 1, run.bytes};
                next.bytes.insert(next.bytes.end(), piece.begin(), piece.end());
                open.push_back(std::move(next));
            }
            if (open.size() + done.size() > 4 * static_cast<std::size_t>(BytePrefixSet::kMaxPrefixes))
                return false;
        }
    }
    if (done.empty()) return false;
    BytePrefixSet set{};
    std::size_t shortest = BytePrefixSet::kMaxLength;
    for (const std::vector<ByteBits>& d : done) {
        set.length[set.count] = static_cast<int>(d.size());
        for (std::size_t j = 0; j < d.size(); ++j) set.at[set.count][j] = AsFewRanges(d[j]);
        ++set.count;
        shortest = std::min(shortest, d.size());
    }
    set.unionCount = static_cast<int>(std::min<std::size_t>(shortest, BytePrefixSet::kMaxUnions));
    for (int u = 0; u < set.unionCount; ++u) {
        ByteBits all;
        for (const std::vector<ByteBits>& d : done) all.AddAll(d[static_cast<std::size_t>(u)]);
        set.unions[u] = AsFewRanges(all);
    }
    ChooseNibbleMasks(&set);
    *out = set;
    return true;
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
        int count = 0;
        unsigned char only = 0;
        for (int b = 0; b < 256; ++b) {
            if (!members[b]) continue;
            ++count;
            only = static_cast<unsigned char>(b);
        }
        // One byte that is no lead byte is rare enough for memchr alone; lead bytes of
        // kana and several first bytes (a folded word's forms) are not: the bytes after
        // them tell far more.
        bool prefixes = false;
        if (count > 1 || IsLeadByte(only)) {
            for (int length = BytePrefixSet::kMaxLength; !prefixes && length >= 2; --length)
                prefixes = ReadStartPrefixes(prog, length, &f.prefixes_);
        }
        if (prefixes) {
            f.kind_ = Kind::kBytePrefixes;
        } else {
            f.kind_ = Kind::kByteSet;
            f.bytes_ = ByteSetFinder(members);
        }
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
        std::size_t raw = kind_ == Kind::kLiteral   ? literal_.Find(text, searchFrom, length)
                          : kind_ == Kind::kBytePrefixes ? FindBytePrefix(text, searchFrom, length, prefixes_)
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
