#include "compile.h"

#include "size_limits.h"

#include <algorithm>
#include <utility>

namespace grexmo {

ProgClass::ProgClass(const CharSet& set) {
    for (const CodeRange& r : set.Ranges()) {
        for (unsigned c = r.lo; c <= r.hi && c <= 0xFF; ++c) singles_[c >> 5] |= 1u << (c & 31);
        if (r.hi > 0xFF)
            doubles_.push_back({static_cast<CharCode>(r.lo > 0xFF ? r.lo : 0x100), r.hi});
    }
}

namespace {

// A piece of program whose jump targets count from its own first instruction; a target equal
// to the fragment's size means "whatever follows the fragment".
using Fragment = std::vector<Inst>;

void AppendShifted(Fragment* out, const Fragment& piece) {
    auto shift = static_cast<std::int32_t>(out->size());
    for (Inst inst : piece) {
        if (inst.op == Op::kSplit || inst.op == Op::kJmp) inst.x += shift;
        if (inst.op == Op::kSplit) inst.y += shift;
        out->push_back(inst);
    }
}

Inst MakeSplit(std::int32_t x, std::int32_t y) {
    Inst i;
    i.op = Op::kSplit;
    i.x = x;
    i.y = y;
    return i;
}

Inst MakeJmp(std::int32_t x) {
    Inst i;
    i.op = Op::kJmp;
    i.x = x;
    return i;
}

// Split preferring `more` (another round of the body) when greedy, `done` when lazy.
Inst MakeChoice(bool greedy, std::int32_t more, std::int32_t done) {
    return greedy ? MakeSplit(more, done) : MakeSplit(done, more);
}

Fragment CompileAlternate(const Node& node, std::vector<Fragment>& frags) {
    Fragment out;
    std::vector<std::size_t> exits;
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        Fragment& branch = frags[node.children[i]];
        if (i + 1 < node.children.size()) {
            auto here = static_cast<std::int32_t>(out.size());
            // branch, then a jump past the remaining branches
            out.push_back(MakeSplit(here + 1, here + 2 + static_cast<std::int32_t>(branch.size())));
            AppendShifted(&out, branch);
            exits.push_back(out.size());
            out.push_back(MakeJmp(0));
        } else {
            AppendShifted(&out, branch);
        }
        Fragment().swap(branch);
    }
    for (std::size_t e : exits) out[e].x = static_cast<std::int32_t>(out.size());
    return out;
}

Fragment CompileRepeat(const Node& node, const Fragment& body) {
    Fragment out;
    auto bodySize = static_cast<std::int32_t>(body.size());
    int copies = node.max < 0 ? (node.min > 0 ? node.min - 1 : 0) : node.min;
    for (int i = 0; i < copies; ++i) AppendShifted(&out, body);
    if (node.max < 0) {
        auto loop = static_cast<std::int32_t>(out.size());
        if (node.min > 0) {  // body then back to it: x+
            AppendShifted(&out, body);
            out.push_back(MakeChoice(node.greedy, loop, loop + bodySize + 1));
        } else {  // x*
            out.push_back(MakeChoice(node.greedy, loop + 1, loop + bodySize + 2));
            AppendShifted(&out, body);
            out.push_back(MakeJmp(loop));
        }
        return out;
    }
    // Optional copies: each may be skipped straight to the end.
    int optional = node.max - node.min;
    auto end = static_cast<std::int32_t>(out.size()) + optional * (bodySize + 1);
    for (int i = 0; i < optional; ++i) {
        auto here = static_cast<std::int32_t>(out.size());
        out.push_back(MakeChoice(node.greedy, here + 1, end));
        AppendShifted(&out, body);
    }
    return out;
}

std::size_t RepeatSize(const Node& node, std::size_t bodySize) {
    if (node.max < 0) return (node.min > 0 ? node.min : 1) * bodySize + 2;
    return static_cast<std::size_t>(node.max) * (bodySize + 1);
}

}  // namespace

bool Compile(const Ast& ast, Prog* prog, PatternError* error) {
    *prog = Prog{};
    std::vector<Fragment> frags(ast.nodes.size());
    std::vector<std::size_t> childSizes(ast.nodes.size(), 0);
    std::size_t liveTotal = 0;
    auto tooLarge = [&] {
        error->message = "pattern too large (the compiled program would exceed " +
                         std::to_string(kMaxProgramSize) + " instructions)";
        error->offset = 0;
        return false;
    };
    for (std::size_t i = 0; i < ast.nodes.size(); ++i) {
        const Node& node = ast.nodes[i];
        Fragment& out = frags[i];
        Inst inst;
        switch (node.kind) {
        case NodeKind::kEmpty:
            break;
        case NodeKind::kLiteral:
            inst.op = Op::kChar;
            inst.code = node.code;
            out.push_back(inst);
            break;
        case NodeKind::kClass:
            inst.op = Op::kClass;
            inst.classIndex = node.classIndex;
            out.push_back(inst);
            break;
        case NodeKind::kAssert:
            inst.op = Op::kAssert;
            inst.assertion = node.assertion;
            if (node.assertion == AssertKind::kWordBoundary ||
                node.assertion == AssertKind::kNotWordBoundary)
                prog->hasWordAssertions = true;
            if (node.assertion == AssertKind::kNotInsideJoinedKana)
                prog->hasJoinedKanaAssertions = true;
            out.push_back(inst);
            break;
        case NodeKind::kConcat: {
            std::size_t total = 0;
            for (int child : node.children) total += frags[child].size();
            if (total > kMaxProgramSize) return tooLarge();
            for (int child : node.children) {
                AppendShifted(&out, frags[child]);
                Fragment().swap(frags[child]);
            }
            break;
        }
        case NodeKind::kAlternate: {
            std::size_t total = 0;
            for (int child : node.children) total += frags[child].size() + 2;
            if (total > kMaxProgramSize) return tooLarge();
            out = CompileAlternate(node, frags);
            break;
        }
        case NodeKind::kRepeat: {
            Fragment& body = frags[node.children[0]];
            if (RepeatSize(node, body.size()) > kMaxProgramSize) return tooLarge();
            out = CompileRepeat(node, body);
            Fragment().swap(body);
            break;
        }
        }
        // Every fragment still waiting for its parent ends up in the program at least once,
        // so their sum may not pass the limit either: memory stays bounded while compiling.
        std::size_t consumed = 0;
        for (int child : node.children) consumed += childSizes[child];
        liveTotal = liveTotal - consumed + out.size();
        childSizes[i] = out.size();
        if (out.size() > kMaxProgramSize || liveTotal > kMaxProgramSize) return tooLarge();
    }
    prog->insts = std::move(frags[ast.root]);
    Inst match;
    match.op = Op::kMatch;
    prog->insts.push_back(match);
    if (prog->insts.size() > kMaxProgramSize) return tooLarge();
    for (const CharSet& set : ast.classes) prog->classes.emplace_back(set);
    return true;
}

bool CompileReversed(const Ast& ast, Prog* prog, PatternError* error) {
    Ast reversed = ast;  // children still come before their parents
    for (Node& node : reversed.nodes)
        if (node.kind == NodeKind::kConcat)
            std::reverse(node.children.begin(), node.children.end());
    return Compile(reversed, prog, error);
}

}  // namespace grexmo
