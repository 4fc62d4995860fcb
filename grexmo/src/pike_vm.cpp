#include "pike_vm.h"

#include "fold.h"

#include "charset.h"

#include <utility>

namespace grexmo {

namespace {

// Closure entries kept per instruction of the program, on average, at most.
constexpr std::size_t kClosureBudgetPerInst = 16;

}  // namespace

PikeVm::PikeVm(const Prog& prog, bool learnsDeadStates) : prog_(prog), learns_(learnsDeadStates) {
    closureState_.assign(prog.insts.size(), ClosureState::kUnknown);
    closures_.resize(prog.insts.size());
    seenMark_.assign(prog.insts.size(), 0);
    for (ThreadList& list : lists_) {
        list.index.assign(prog.insts.size(), -1);
        list.threads.resize(prog.insts.size());
    }
    stack_.reserve(prog.insts.size() * 2 + 1);
    dead_.assign(prog.insts.size(), DeadRun{});
    noteFrom_.assign(prog.insts.size(), 0);
    noteTo_.assign(prog.insts.size(), 0);
    noteMark_.assign(prog.insts.size(), 0);
    notedPcs_.reserve(prog.insts.size());
}

void PikeVm::ForgetText() {
    if (deadUntil_ == 0) return;
    deadUntil_ = 0;
    dead_.assign(dead_.size(), DeadRun{});
}

void PikeVm::DropNotes() {
    if (++noteGeneration_ == 0) {  // wrapped: old marks could look current
        noteMark_.assign(noteMark_.size(), 0);
        noteGeneration_ = 1;
    }
    notedPcs_.clear();
}

void PikeVm::NoteStep(const ThreadList& list, std::size_t pos, std::size_t previous) {
    for (std::size_t i = 0; i < list.size; ++i) {
        const std::int32_t pc = list.threads[i].pc;
        if (noteMark_[pc] != noteGeneration_) {
            noteMark_[pc] = noteGeneration_;
            notedPcs_.push_back(pc);
        } else if (noteTo_[pc] == previous) {
            noteTo_[pc] = pos;  // present at every step since noteFrom_
            continue;
        }
        noteFrom_[pc] = pos;
        noteTo_[pc] = pos;
    }
}

void PikeVm::KeepNotesAsDead() {
    for (std::int32_t pc : notedPcs_) {
        DeadRun& run = dead_[pc];
        const std::size_t from = noteFrom_[pc], to = noteTo_[pc];
        if (run.from <= to && from <= run.to) {
            if (from < run.from) run.from = from;
            if (to > run.to) run.to = to;
        } else {
            // a later run replaces an earlier one: searches move forward through the text
            run.from = from;
            run.to = to;
        }
        if (run.to >= deadUntil_) deadUntil_ = run.to + 1;
    }
    DropNotes();
}

const std::vector<std::int32_t>* PikeVm::Closure(std::int32_t pc0) {
    if (closureState_[pc0] == ClosureState::kCached) return &closures_[pc0];
    if (closureState_[pc0] == ClosureState::kUncacheable) return nullptr;
    closureState_[pc0] = ClosureState::kUncacheable;
    const std::uint32_t generation = ++seenGeneration_;
    std::vector<std::int32_t> leaves;
    stack_.clear();
    stack_.push_back(pc0);
    while (!stack_.empty()) {
        std::int32_t pc = stack_.back();
        stack_.pop_back();
        if (seenMark_[pc] == generation) continue;
        seenMark_[pc] = generation;
        const Inst& inst = prog_.insts[pc];
        switch (inst.op) {
        case Op::kJmp:
            stack_.push_back(inst.x);
            break;
        case Op::kSplit:
            stack_.push_back(inst.y);
            stack_.push_back(inst.x);
            break;
        case Op::kAssert:
            return nullptr;  // depends on the position
        default:
            leaves.push_back(pc);
            break;
        }
    }
    if (closureEntries_ + leaves.size() > kClosureBudgetPerInst * prog_.insts.size())
        return nullptr;
    closureEntries_ += leaves.size();
    closures_[pc0] = std::move(leaves);
    closureState_[pc0] = ClosureState::kCached;
    return &closures_[pc0];
}

bool PikeVm::AssertionHolds(AssertKind kind, const unsigned char* text, std::size_t length,
                            Boundary at) const {
    const std::size_t p = at.pos;
    const bool atEnd = p >= length || text[p] == 0;
    switch (kind) {
    case AssertKind::kLineStart:
        return p == 0 || text[p - 1] == '\n';
    case AssertKind::kLineEnd:
        // before LF (not between CR and LF), before CR LF, or at the end of the text
        if (atEnd) return true;
        if (text[p] == '\r') return p + 1 < length && text[p + 1] == '\n';
        return text[p] == '\n' && !(p > 0 && text[p - 1] == '\r');
    case AssertKind::kWordBoundary:
    case AssertKind::kNotWordBoundary: {
        bool before = at.prev != kNoPosition && IsWordCode(DecodeCharWithin(text, at.prev, p).code);
        bool after = !atEnd && IsWordCode(DecodeCharWithin(text, p, length).code);
        return (before != after) == (kind == AssertKind::kWordBoundary);
    }
    case AssertKind::kNotInsideJoinedKana:
        return atEnd || at.prev == kNoPosition ||
               !JoinsSoundMark(DecodeCharWithin(text, at.prev, p).code, text[p]);
    }
    return false;
}

// Adds the thread at `pc` and everything reachable from it without consuming a character,
// depth first with the preferred branch first, so the list stays in priority order.
void PikeVm::AddThread(ThreadList& list, std::int32_t pc0, std::size_t start,
                       const unsigned char* text, std::size_t length, Boundary at) {
    const Op first = prog_.insts[pc0].op;
    const bool mayBeDead = at.pos < deadUntil_;
    if (first == Op::kChar || first == Op::kClass || first == Op::kMatch) {
        AddLeaf(list, pc0, start, mayBeDead, at.pos);
        return;
    }
    // The same leaves in the same order as the walk below: a leaf behind a jump or split
    // that is already in the list is itself already there.
    if (const std::vector<std::int32_t>* leaves = Closure(pc0)) {
        for (std::int32_t pc : *leaves) AddLeaf(list, pc, start, mayBeDead, at.pos);
        return;
    }
    stack_.clear();
    stack_.push_back(pc0);
    while (!stack_.empty()) {
        std::int32_t pc = stack_.back();
        stack_.pop_back();
        if (list.Has(pc) || (mayBeDead && IsDead(pc, at.pos))) continue;
        list.index[pc] = static_cast<std::int32_t>(list.size);
        list.threads[list.size++] = {pc, start};
        const Inst& inst = prog_.insts[pc];
        switch (inst.op) {
        case Op::kJmp:
            stack_.push_back(inst.x);
            break;
        case Op::kSplit:
            stack_.push_back(inst.y);
            stack_.push_back(inst.x);
            break;
        case Op::kAssert:
            if (AssertionHolds(inst.assertion, text, length, at)) stack_.push_back(pc + 1);
            break;
        default:
            break;
        }
    }
}

bool PikeVm::Search(const unsigned char* text, std::size_t length, Boundary from,
                    const StartFilter& filter, Hit* hit) {
    ThreadList* current = &lists_[0];
    ThreadList* next = &lists_[1];
    current->size = 0;
    bool matched = false;
    const bool filtered = filter.GetKind() != StartFilter::Kind::kNone;
    bool candidatesLeft = true;
    bool haveWindow = false;
    StartWindow window;
    Boundary at = from;
    std::size_t previousStep = kNoPosition;
    DropNotes();
    for (;;) {
        if (!matched && candidatesLeft) {
            if (filtered && (!haveWindow || window.last < at.pos)) {
                candidatesLeft = filter.NextWindow(text, length, at, &window);
                haveWindow = true;
            }
            if (filtered && current->size == 0) {
                if (!candidatesLeft) break;
                if (window.begin.pos > at.pos) at = window.begin;  // nothing alive in between: jump
            }
            if (!filtered || (candidatesLeft && window.begin.pos <= at.pos))
                AddThread(*current, 0, at.pos, text, length, at);
        }
        // With no thread alive the search goes on only while hits may still start: a start
        // can have been dropped as dead.
        if (current->size == 0 && (matched || !candidatesLeft)) break;

        const bool atEnd = at.pos >= length || text[at.pos] == 0;
        const DecodedChar c = atEnd ? DecodedChar{0, 1} : DecodeCharWithin(text, at.pos, length);
        const Boundary after{at.pos + c.length, at.pos};
        next->size = 0;
        const bool matchedBefore = matched;
        bool matchedHere = false;
        for (std::size_t i = 0; i < current->size; ++i) {
            const Thread t = current->threads[i];
            const Inst& inst = prog_.insts[t.pc];
            if (inst.op == Op::kMatch) {
                matched = true;
                hit->begin = t.start;
                hit->end = at;
                matchedHere = true;
                break;  // the threads after this one have lower priority
            }
            if (atEnd) continue;
            if ((inst.op == Op::kChar && inst.code == c.code) ||
                (inst.op == Op::kClass && prog_.classes[inst.classIndex].Contains(c.code)))
                AddThread(*next, t.pc + 1, t.start, text, length, after);
        }
        if (matchedHere) {
            DropNotes();
        } else if (matchedBefore && learns_) {
            NoteStep(*current, at.pos, previousStep);
        }
        if (atEnd) break;
        std::swap(current, next);
        previousStep = at.pos;
        at = after;
    }
    if (matched && learns_) KeepNotesAsDead();
    return matched;
}

}  // namespace grexmo
