#include "reverse_dfa.h"

#include "byte_classes.h"
#include "charset.h"
#include "fold.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace grexmo {
namespace {

constexpr std::int32_t kUnknown = -1;
// What a state costs besides its key and transitions (containers, map node).
constexpr std::size_t kStateOverhead = 96;
// Long stretches are read in pieces of about this many bytes, so the symbols kept stay small.
constexpr std::size_t kChunkBytes = 4096;

bool g_forced = false;

// The character right of a boundary, as far as the assertions there ask.
enum : std::uint8_t {
    kRightWord = 1,
    kRightLf = 2,
    kRightLineEnd = 4,  // the end of the text, or a CR LF
    kRightVoicedMark = 8,
    kRightSemiVoicedMark = 16,
};

// The character left of a boundary (or the start of the text).
enum : std::uint8_t {
    kLeftLineStart = 1,  // a LF, or the start of the text
    kLeftWord = 2,
    kLeftCr = 4,
    kLeftVoicedBase = 8,
    kLeftSemiVoicedBase = 16,
};

std::uint8_t LeftFacts(CharCode c) {
    return static_cast<std::uint8_t>(
        (c == '\n' ? kLeftLineStart : 0) | (IsWordCode(c) ? kLeftWord : 0) |
        (c == '\r' ? kLeftCr : 0) |
        (JoinsSoundMark(c, kHalfWidthVoicedMark) ? kLeftVoicedBase : 0) |
        (JoinsSoundMark(c, kHalfWidthSemiVoicedMark) ? kLeftSemiVoicedBase : 0));
}

// The facts of `c` as the character right of the next boundary to the left, where `right`
// was what stood right of `c`.
std::uint8_t RightFacts(CharCode c, std::uint8_t right) {
    return static_cast<std::uint8_t>((IsWordCode(c) ? kRightWord : 0) | (c == '\n' ? kRightLf : 0) |
                                     (c == '\r' && (right & kRightLf) ? kRightLineEnd : 0) |
                                     (c == kHalfWidthVoicedMark ? kRightVoicedMark : 0) |
                                     (c == kHalfWidthSemiVoicedMark ? kRightSemiVoicedMark : 0));
}

bool Holds(AssertKind kind, std::uint8_t left, std::uint8_t right) {
    switch (kind) {
    case AssertKind::kLineStart:
        return (left & kLeftLineStart) != 0;
    case AssertKind::kLineEnd:  // not between CR and LF
        return (right & kRightLineEnd) || ((right & kRightLf) && !(left & kLeftCr));
    case AssertKind::kWordBoundary:
        return ((left & kLeftWord) != 0) != ((right & kRightWord) != 0);
    case AssertKind::kNotWordBoundary:
        return ((left & kLeftWord) != 0) == ((right & kRightWord) != 0);
    case AssertKind::kNotInsideJoinedKana:
        return !(((right & kRightVoicedMark) && (left & kLeftVoicedBase)) ||
                 ((right & kRightSemiVoicedMark) && (left & kLeftSemiVoicedBase)));
    }
    return false;
}

}  // namespace

void ForceReverseStartsForTesting(bool on) { g_forced = on; }

bool ReverseStartsForced() { return g_forced; }

ReverseDfa::ReverseDfa(const Prog& reversed) : prog_(reversed), limits_(CurrentDfaCacheLimits()) {
    for (std::int32_t& state : startStates_) state = -1;
    for (const Inst& inst : prog_.insts) {
        if (inst.op != Op::kAssert) continue;
        switch (inst.assertion) {
        case AssertKind::kLineStart:
            break;  // reads only the left side
        case AssertKind::kLineEnd:
            rightMask_ |= kRightLf | kRightLineEnd;
            break;
        case AssertKind::kWordBoundary:
        case AssertKind::kNotWordBoundary:
            rightMask_ |= kRightWord;
            break;
        case AssertKind::kNotInsideJoinedKana:
            rightMask_ |= kRightVoicedMark | kRightSemiVoicedMark;
            break;
        }
    }
    ComputeByteClasses();
    seen_.assign(prog_.insts.size(), 0);
    stack_.reserve(prog_.insts.size() * 2 + 1);
}

// The classes, and the symbols a state steps on: each class as a single character or as a
// pair's trail, and the start of the text.
void ReverseDfa::ComputeByteClasses() {
    std::uint8_t cls[256];
    classes_ = grexmo::ComputeByteClasses(prog_, cls);
    std::memcpy(classOf_, cls, sizeof cls);
    textStartSymbol_ = 2 * classes_;
    shift_ = 0;
    while ((1 << shift_) < textStartSymbol_ + 1) ++shift_;
    representative_.assign(static_cast<std::size_t>(classes_), 0);
    for (int b = 255; b >= 0; --b) representative_[cls[b]] = static_cast<unsigned char>(b);
}

// The instructions reachable from `pc0` without consuming, where the assertions see `left`
// and `right`; Match only sets `*matched`.
void ReverseDfa::Closure(std::vector<std::int32_t>* out, std::int32_t pc0, std::uint8_t left,
                         std::uint8_t right, bool* matched) {
    stack_.clear();
    stack_.push_back(pc0);
    while (!stack_.empty()) {
        const std::int32_t pc = stack_.back();
        stack_.pop_back();
        if (seen_[pc] == generation_) continue;
        seen_[pc] = generation_;
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
            if (Holds(inst.assertion, left, right)) stack_.push_back(pc + 1);
            break;
        case Op::kMatch:
            *matched = true;
            break;
        default:
            out->push_back(pc);
            break;
        }
    }
}

ReverseDfa::StateKey ReverseDfa::Step(const StateKey& at, CharCode code, unsigned length) {
    if (++generation_ == 0) {  // wrapped: old marks could look current
        seen_.assign(seen_.size(), 0);
        generation_ = 1;
    }
    const std::uint8_t left = LeftFacts(code);
    bool matched = false;
    scratch_.clear();
    for (std::int32_t pc : at.insts) Closure(&scratch_, pc, left, at.right, &matched);
    StateKey next;
    for (std::int32_t pc : scratch_)
        if (Consumes(prog_, prog_.insts[pc], code)) next.insts.push_back(pc + 1);
    std::sort(next.insts.begin(), next.insts.end());
    next.insts.erase(std::unique(next.insts.begin(), next.insts.end()), next.insts.end());
    next.right = static_cast<std::uint8_t>(RightFacts(code, at.right) & rightMask_);
    next.matchLen = static_cast<std::uint8_t>(matched ? length : 0);
    return next;
}

std::int32_t ReverseDfa::Transition(std::int32_t state, int symbol) {
    const StateKey current = keys_[state];  // a copy: building may clear the cache
    StateKey next;
    if (current.pendingTrail >= 0) {
        const CharCode code = static_cast<CharCode>(representative_[symbol] << 8 |
                                                    representative_[current.pendingTrail]);
        next = Step(current, code, 2);
    } else if (symbol == textStartSymbol_) {
        // Only whether a match starts here counts; nothing lies further left.
        if (++generation_ == 0) {
            seen_.assign(seen_.size(), 0);
            generation_ = 1;
        }
        bool matched = false;
        scratch_.clear();
        for (std::int32_t pc : current.insts)
            Closure(&scratch_, pc, kLeftLineStart, current.right, &matched);
        next.matchLen = matched ? 1 : 0;
    } else if (symbol >= classes_) {
        next = current;
        next.pendingTrail = symbol - classes_;
        next.matchLen = 0;
    } else {
        next = Step(current, representative_[symbol], 1);
    }
    const std::size_t clears = totalClears_;
    const std::int32_t target = Intern(next);
    if (clears == totalClears_)
        trans_[(static_cast<std::size_t>(state) << shift_) + static_cast<std::size_t>(symbol)] =
            Encode(target);
    return target;
}

std::int32_t ReverseDfa::Intern(const StateKey& key) {
    std::string bytes;
    bytes.reserve(4 + key.insts.size() * sizeof(std::int32_t));
    bytes.push_back(static_cast<char>(key.right));
    bytes.push_back(static_cast<char>(key.pendingTrail >= 0 ? 1 : 0));
    bytes.push_back(static_cast<char>(key.pendingTrail & 0xFF));
    bytes.push_back(static_cast<char>(key.matchLen));
    bytes.append(reinterpret_cast<const char*>(key.insts.data()),
                 key.insts.size() * sizeof(std::int32_t));
    const auto found = index_.find(bytes);
    if (found != index_.end()) return found->second;
    const std::size_t stride = std::size_t{1} << shift_;
    const std::size_t cost = 2 * bytes.size() + stride * 4 + kStateOverhead;
    if (cacheBytes_ + cost > limits_.bytes && !keys_.empty()) {
        // Give up when the cache keeps filling up over only a few bytes per state.
        const std::size_t states = keys_.size();
        const std::size_t covered = bytesSinceClear_ + (runFrom_ - position_);
        ClearCache();
        if (totalClears_ >= limits_.clearsBeforeGivingUp &&
            covered < limits_.minBytesPerState * states)
            gaveUp_ = true;
        bytesSinceClear_ = 0;
        runFrom_ = position_;
    }
    const auto id = static_cast<std::int32_t>(keys_.size());
    keys_.push_back(key);
    special_.push_back(key.matchLen > 0 || (key.insts.empty() && key.pendingTrail < 0));
    trans_.resize(trans_.size() + stride, kUnknown);
    index_.emplace(std::move(bytes), id);
    cacheBytes_ += cost;
    return id;
}

std::int32_t ReverseDfa::Encode(std::int32_t target) const {
    return special_[target] ? -2 - target : target << shift_;
}

std::int32_t ReverseDfa::StartState(std::uint8_t right) {
    if (startStates_[right] < 0) {
        StateKey key;
        key.insts.push_back(0);
        key.right = right;
        const std::int32_t id = Intern(key);
        startStates_[right] = id;
    }
    return startStates_[right];
}

void ReverseDfa::ClearCache() {
    trans_.clear();
    keys_.clear();
    special_.clear();
    index_.clear();
    cacheBytes_ = 0;
    for (std::int32_t& state : startStates_) state = -1;
    ++totalClears_;
}

void ReverseDfa::FillSymbols(const unsigned char* text, std::size_t from, std::size_t to) {
    if (symbols_.size() < to - from) symbols_.resize(to - from);  // grows only: no refill
    std::uint8_t* out = symbols_.data();
    std::size_t p = from;
    while (p < to) {
        const unsigned char b = text[p];
        if (IsLeadByte(b) && p + 1 < to && IsTrailByte(text[p + 1])) {
            out[p - from] = classOf_[b];
            out[p + 1 - from] = static_cast<std::uint8_t>(classes_ + classOf_[text[p + 1]]);
            p += 2;
        } else {
            out[p - from] = classOf_[b];
            ++p;
        }
    }
}

ReverseDfa::Result ReverseDfa::LeftmostStart(const unsigned char* text, std::size_t length,
                                             Boundary floor, std::size_t end, std::size_t* start) {
    if (gaveUp_) return Result::kGaveUp;
    runFrom_ = end;
    position_ = end;
    std::uint8_t right = kRightLineEnd;
    if (end < length && text[end] != 0) {
        const unsigned char b = text[end];
        const bool hasNext = end + 1 < length;
        const bool pair = IsLeadByte(b) && hasNext && IsTrailByte(text[end + 1]);
        right = RightFacts(pair ? static_cast<CharCode>(b << 8 | text[end + 1]) : b,
                           hasNext && text[end + 1] == '\n' ? kRightLf : 0);
    }
    std::int32_t s = StartState(static_cast<std::uint8_t>(right & rightMask_));
    if (gaveUp_) return Result::kGaveUp;
    bool found = false;
    // The characters from floor to end, in pieces that start at boundaries.
    chunkStarts_.clear();
    chunkStarts_.push_back(floor.pos);
    if (end - floor.pos > kChunkBytes) {
        std::size_t mark = floor.pos + kChunkBytes;
        for (std::size_t p = floor.pos; p < end;) {
            if (p >= mark) {
                chunkStarts_.push_back(p);
                mark = p + kChunkBytes;
            }
            p += IsLeadByte(text[p]) && p + 1 < end && IsTrailByte(text[p + 1]) ? 2 : 1;
        }
    }
    // One step on the slow path; false when the DFA gave up. `at` is the symbol's position.
    bool dead = false;
    auto slowStep = [&](std::int32_t t, int symbol, std::size_t at) {
        position_ = at;
        const std::int32_t target = t == kUnknown ? Transition(s, symbol) : -2 - t;
        if (gaveUp_) return false;
        s = target;
        const StateKey& key = keys_[target];
        if (key.matchLen > 0) {
            // at the boundary right of the character stepped over; the start of the text
            // stands for no character
            *start = symbol == textStartSymbol_ ? at : at + key.matchLen;
            found = true;
        }
        dead = key.insts.empty() && key.pendingTrail < 0;
        return true;
    };
    std::size_t chunkEnd = end;
    for (std::size_t c = chunkStarts_.size(); c-- > 0 && !dead;) {
        const std::size_t chunkStart = chunkStarts_[c];
        FillSymbols(text, chunkStart, chunkEnd);
        const std::uint8_t* symbols = symbols_.data();
        const std::int32_t* trans = trans_.data();
        std::int32_t offset = s << shift_;
        std::size_t i = chunkEnd - chunkStart;
        while (i > 0) {
            const std::int32_t t = trans[offset + symbols[i - 1]];
            if (t >= 0) {
                offset = t;
                --i;
                continue;
            }
            s = offset >> shift_;
            --i;
            if (!slowStep(t, symbols[i], chunkStart + i)) return Result::kGaveUp;
            if (dead) break;
            trans = trans_.data();  // building may have grown or cleared it
            offset = s << shift_;
        }
        if (!dead) s = offset >> shift_;
        chunkEnd = chunkStart;
    }
    if (!dead) {
        // Whether a match starts at the floor itself shows on the character before it.
        int steps[2];
        int count = 0;
        if (floor.prev == kNoPosition) {
            steps[count++] = textStartSymbol_;
        } else if (floor.pos - floor.prev == 2) {
            steps[count++] = classes_ + classOf_[text[floor.pos - 1]];
            steps[count++] = classOf_[text[floor.prev]];
        } else {
            steps[count++] = classOf_[text[floor.prev]];
        }
        for (int k = 0; k < count && !dead; ++k) {
            const std::int32_t t = trans_[(static_cast<std::size_t>(s) << shift_) +
                                          static_cast<std::size_t>(steps[k])];
            if (t >= 0) {
                s = t >> shift_;
                continue;
            }
            const std::size_t at = steps[k] == textStartSymbol_ ? floor.pos
                                   : k + 1 < count              ? floor.pos - 1
                                                                : floor.prev;
            if (!slowStep(t, steps[k], at)) return Result::kGaveUp;
        }
    }
    // (a clear in the last steps leaves runFrom_ left of the floor)
    bytesSinceClear_ += runFrom_ > floor.pos ? runFrom_ - floor.pos : 0;
    return found ? Result::kStart : Result::kNoStart;
}

}  // namespace grexmo
