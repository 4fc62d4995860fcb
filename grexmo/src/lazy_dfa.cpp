#include "lazy_dfa.h"

#include "byte_classes.h"
#include "fold.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace grexmo {
namespace {

constexpr std::int32_t kUnknown = -1;
constexpr std::size_t kCheckpointStride = 64;
// What a state costs besides its key and transitions (containers, map node).
constexpr std::size_t kStateOverhead = 96;

DfaCacheLimits& Limits() {
    static DfaCacheLimits limits;
    return limits;
}

// What the assertions need to know of the character before a boundary. The kana bits are
// only kept for programs that ask (kJoinedKanaBits), so other programs get no extra states.
enum : std::uint8_t {
    kAfterLineFeed = 1,
    kAfterWord = 2,
    kAfterCr = 4,
    kAfterVoicedBase = 8,       // a half-width kana that ﾞ joins
    kAfterSemiVoicedBase = 16,  // one that ﾟ joins
    kJoinedKanaBits = kAfterVoicedBase | kAfterSemiVoicedBase,
};

std::uint8_t BehindAfter(CharCode c) {
    return static_cast<std::uint8_t>(
        (c == '\n' ? kAfterLineFeed : 0) | (IsWordCode(c) ? kAfterWord : 0) |
        (c == '\r' ? kAfterCr : 0) |
        (JoinsSoundMark(c, kHalfWidthVoicedMark) ? kAfterVoicedBase : 0) |
        (JoinsSoundMark(c, kHalfWidthSemiVoicedMark) ? kAfterSemiVoicedBase : 0));
}

// The same at the boundary `at` of the text (the start of the text counts as a line start),
// of the bits in `mask`: the ones the program's assertions read.
std::uint8_t BehindAt(const unsigned char* text, Boundary at, std::uint8_t mask) {
    if (mask == 0) return 0;  // nothing to decode for a program without assertions
    if (at.pos == 0) return kAfterLineFeed & mask;
    const unsigned char last = text[at.pos - 1];  // LF and CR are never trail bytes
    std::uint8_t behind = static_cast<std::uint8_t>((last == '\n' ? kAfterLineFeed : 0) |
                                                    (last == '\r' ? kAfterCr : 0));
    if (at.prev != kNoPosition) {
        const CharCode c = DecodeCharWithin(text, at.prev, at.pos).code;
        if (IsWordCode(c)) behind |= kAfterWord;
        if (mask & kJoinedKanaBits) behind |= BehindAfter(c) & kJoinedKanaBits;
    }
    return behind & mask;
}

// Only assertions read what stands before a boundary.
bool HasAssertions(const Prog& prog) {
    for (const Inst& inst : prog.insts)
        if (inst.op == Op::kAssert) return true;
    return false;
}

// The sound mark a byte at a boundary is, or 0.
CharCode MarkAhead(unsigned char b) {
    return b == kHalfWidthVoicedMark || b == kHalfWidthSemiVoicedMark ? b : 0;
}

}  // namespace

void SetDfaCacheLimitsForTesting(const DfaCacheLimits& limits) { Limits() = limits; }

DfaCacheLimits CurrentDfaCacheLimits() { return Limits(); }

// Even where the filter's candidates stand only a few bytes apart (start bytes that are
// common trail bytes, katakana leads), jumping with it was measured to be no slower than
// the DFA's own loop.
LazyDfa::LazyDfa(const Prog& prog, const StartFilter& filter)
    : prog_(prog),
      limits_(Limits()),
      behindMask_(!HasAssertions(prog)           ? 0
                  : prog.hasJoinedKanaAssertions ? 0xFF
                                                 : static_cast<std::uint8_t>(~kJoinedKanaBits)),
      useFilter_(filter.GetKind() != StartFilter::Kind::kNone) {
    for (std::int32_t& state : startStates_) state = -1;
    for (std::int32_t& state : anchoredStates_) state = -1;
    ComputeByteClasses();
    seen_.assign(prog.insts.size(), 0);
    stack_.reserve(prog.insts.size() * 2 + 1);
}

// The classes, and the stride of a state: their number rounded up to a power of two.
void LazyDfa::ComputeByteClasses() {
    std::uint8_t cls[256];
    const int classes = grexmo::ComputeByteClasses(prog_, cls);
    std::memcpy(classOf_, cls, sizeof cls);
    shift_ = 0;  // a power of two per state: the search loop shifts rather than divides
    while ((1 << shift_) < classes) ++shift_;
    stride_ = 1 << shift_;
    representative_.assign(static_cast<std::size_t>(stride_), 0);
    for (int b = 255; b >= 0; --b) representative_[cls[b]] = static_cast<unsigned char>(b);
}

// Appends the leaves reachable from `pc0` without consuming, depth first with the preferred
// branch first, skipping what this list already holds; stops at Match, which outranks
// everything after it.
void LazyDfa::AddClosure(std::vector<std::int32_t>* out, std::int32_t pc0, std::uint8_t behind,
                         Ahead ahead, bool* matched) {
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
            if (Holds(inst.assertion, behind, ahead)) stack_.push_back(pc + 1);
            break;
        case Op::kMatch:
            out->push_back(pc);
            *matched = true;
            return;
        default:
            out->push_back(pc);
            break;
        }
    }
}

bool LazyDfa::Holds(AssertKind kind, std::uint8_t behind, Ahead ahead) {
    switch (kind) {
    case AssertKind::kLineStart:
        return (behind & kAfterLineFeed) != 0;
    case AssertKind::kLineEnd:
        return ahead.lineEnd;
    case AssertKind::kWordBoundary:
        return ((behind & kAfterWord) != 0) != ahead.word;
    case AssertKind::kNotWordBoundary:
        return ((behind & kAfterWord) != 0) == ahead.word;
    case AssertKind::kNotInsideJoinedKana:
        return !((ahead.mark == kHalfWidthVoicedMark && (behind & kAfterVoicedBase)) ||
                 (ahead.mark == kHalfWidthSemiVoicedMark && (behind & kAfterSemiVoicedBase)));
    }
    return false;
}

LazyDfa::StateKey LazyDfa::Resolve(const StateKey& at, Ahead ahead) {
    if (++generation_ == 0) {  // wrapped: old marks could look current
        seen_.assign(seen_.size(), 0);
        generation_ = 1;
    }
    StateKey out;
    bool matched = false;
    for (std::int32_t pc : at.insts) {
        AddClosure(&out.insts, pc, at.behind, ahead, &matched);
        if (matched) break;
    }
    out.startsLeft = at.startsLeft && !matched;
    if (out.startsLeft) {
        AddClosure(&out.insts, 0, at.behind, ahead, &matched);
        out.startsLeft = !matched;
    }
    out.matchBack = matched ? 0 : -1;
    return out;
}

LazyDfa::StateKey LazyDfa::After(const StateKey& resolved, CharCode code, std::uint8_t behind) {
    StateKey out;
    for (std::int32_t pc : resolved.insts) {
        const Inst& inst = prog_.insts[pc];
        if (inst.op == Op::kMatch) break;
        if (Consumes(prog_, inst, code)) out.insts.push_back(pc + 1);
    }
    out.startsLeft = resolved.startsLeft;
    out.fresh = out.insts.empty() && out.startsLeft;
    out.behind = behind;
    return out;
}

// From a boundary: a lead byte or a CR waits for the next byte; any other byte tells what
// the assertions at the boundary need, and is a character.
LazyDfa::StateKey LazyDfa::FromBoundary(const StateKey& at, unsigned char b, int byteClass) {
    if (IsLeadByte(b)) {
        StateKey lead = Resolve(at, Ahead{false, false, 0});
        lead.pendingLead = byteClass;
        lead.fresh = at.fresh;
        lead.matchBack = lead.matchBack >= 0 ? 1 : -1;
        return lead;
    }
    if (b == '\r') {
        StateKey cr = at;
        cr.pendingCr = true;
        cr.matchBack = -1;  // a hit that ended at `at` was reported on entering it
        return cr;
    }
    const StateKey resolved =
        Resolve(at, Ahead{IsWordCode(b), b == '\n' && !(at.behind & kAfterCr), MarkAhead(b)});
    StateKey next = After(resolved, b, static_cast<std::uint8_t>(BehindAfter(b) & behindMask_));
    next.matchBack = resolved.matchBack >= 0 ? 1 : -1;
    return next;
}

std::uint8_t LazyDfa::SpecialOf(const StateKey& key) {
    std::uint8_t special = 0;
    if (key.insts.empty() && !key.startsLeft) special |= kSpecialDead;
    if (key.matchBack >= 0) special |= kSpecialMatch;
    if (key.fresh && key.startsLeft && key.pendingLead < 0 && !key.pendingCr && key.matchBack < 0)
        special |= kSpecialStart;
    return special;
}

std::string LazyDfa::KeyBytes(const StateKey& key) {
    std::string bytes;
    bytes.reserve(5 + key.insts.size() * sizeof(std::int32_t));
    bytes.push_back(static_cast<char>((key.startsLeft ? 1 : 0) | (key.fresh ? 2 : 0) |
                                      (key.pendingCr ? 4 : 0) | key.behind << 3));
    bytes.push_back(static_cast<char>(key.pendingLead >= 0 ? 1 : 0));
    bytes.push_back(static_cast<char>(key.pendingLead & 0xFF));  // a class: 0 to 255
    bytes.push_back(static_cast<char>(key.matchBack + 1));
    bytes.append(reinterpret_cast<const char*>(key.insts.data()),
                 key.insts.size() * sizeof(std::int32_t));
    return bytes;
}

void LazyDfa::ClearCache() {
    trans_.clear();
    keys_.clear();
    info_.clear();
    index_.clear();
    cacheBytes_ = 0;
    for (std::int32_t& state : startStates_) state = -1;
    for (std::int32_t& state : anchoredStates_) state = -1;
    ForgetText();  // checkpoints name states by index
    scanMarks_.clear();
    ++totalClears_;
}

std::int32_t LazyDfa::Intern(const StateKey& key) {
    std::string bytes = KeyBytes(key);
    const auto found = index_.find(bytes);
    if (found != index_.end()) return found->second;
    const std::size_t cost =
        2 * bytes.size() + static_cast<std::size_t>(stride_) * 4 + kStateOverhead;
    if (cacheBytes_ + cost > limits_.bytes && !keys_.empty()) {
        lastClearStates_ = keys_.size();
        ClearCache();
    }
    const auto id = static_cast<std::int32_t>(keys_.size());
    keys_.push_back(key);
    info_.push_back({SpecialOf(key), kEndUnknown});
    trans_.resize(trans_.size() + static_cast<std::size_t>(stride_), kUnknown);
    index_.emplace(std::move(bytes), id);
    cacheBytes_ += cost;
    return id;
}

std::int32_t LazyDfa::Encode(bool fromFresh, std::int32_t target) const {
    const std::uint8_t special = info_[target].special;
    const bool look =
        (special & (kSpecialDead | kSpecialMatch)) ||
        (useFilter_ ? (special & kSpecialStart) != 0 : fromFresh && !keys_[target].fresh);
    return look ? -2 - target : target << shift_;
}

std::int32_t LazyDfa::StartState(std::uint8_t behind) {
    if (startStates_[behind] < 0) {
        StateKey key;  // nothing alive: only the start, added when the next byte is known
        key.startsLeft = true;
        key.fresh = true;
        key.behind = behind;
        const std::int32_t id = Intern(key);
        startStates_[behind] = id;
    }
    return startStates_[behind];
}

std::int32_t LazyDfa::AnchoredState(std::uint8_t behind) {
    if (anchoredStates_[behind] < 0) {
        StateKey key;
        key.insts.push_back(0);
        key.behind = behind;
        const std::int32_t id = Intern(key);
        anchoredStates_[behind] = id;
    }
    return anchoredStates_[behind];
}

std::int32_t LazyDfa::Transition(std::int32_t state, int byteClass) {
    const StateKey current = keys_[state];  // a copy: building may clear the cache
    const unsigned char b = representative_[byteClass];
    StateKey next;
    if (current.pendingLead >= 0) {
        const unsigned lead = representative_[current.pendingLead];
        if (IsTrailByte(b)) {
            next = After(current, static_cast<CharCode>(lead << 8 | b), 0);
        } else {  // the lead byte is a character of its own; `b` starts the next one
            next = FromBoundary(After(current, static_cast<CharCode>(lead), 0), b, byteClass);
        }
    } else if (current.pendingCr) {
        // A line ends before the CR when this byte is a LF.
        const StateKey resolved = Resolve(current, Ahead{false, b == '\n', 0});
        next = FromBoundary(After(resolved, '\r', kAfterCr), b, byteClass);
        if (next.matchBack < 0 && resolved.matchBack >= 0) next.matchBack = 2;
    } else {
        next = FromBoundary(current, b, byteClass);
    }
    const std::size_t clears = totalClears_;
    const std::int32_t target = Intern(next);
    // A zero byte ends the text wherever it stands before the length a search is given, so
    // its class never gets a cached transition: the search loops always stop to look at it.
    if (clears == totalClears_ && byteClass != classOf_[0])
        trans_[static_cast<std::size_t>(state) * stride_ + byteClass] =
            Encode(current.fresh, target);
    return target;
}

int LazyDfa::HitAtEnd(std::int32_t state) {
    if (info_[state].endMatch == kEndUnknown) {
        const StateKey key = keys_[state];
        const Ahead end{false, true, 0};
        int back = -1;
        if (key.pendingLead >= 0) {
            const CharCode lead = representative_[key.pendingLead];
            if (Resolve(After(key, lead, 0), end).matchBack >= 0) back = 0;
        } else if (key.pendingCr) {
            const StateKey resolved = Resolve(key, Ahead{false, false, 0});
            if (Resolve(After(resolved, '\r', kAfterCr), end).matchBack >= 0) {
                back = 0;
            } else if (resolved.matchBack >= 0) {
                back = 1;
            }
        } else if (Resolve(key, end).matchBack >= 0) {
            back = 0;
        }
        info_[state].endMatch = static_cast<std::int8_t>(back);
    }
    return info_[state].endMatch;
}

namespace {

// Steps over text[*pos, stop) through plain transitions, four bytes a round where they fit:
// each step is one lookup and one sign test, with no bounds check between the four. Stops
// at the first negative value (the state there needs a look, or its transition is unknown)
// and returns it, with *pos at the byte it is for and *offset the state before that byte;
// returns kUnknown with *pos == stop when no such value was met.
inline std::int32_t RunPlain(const std::int32_t* trans, const std::uint8_t* classOf,
                             const unsigned char* text, std::size_t* pos, std::size_t stop,
                             std::int32_t* offset) {
    std::size_t p = *pos;
    std::int32_t o = *offset;
    std::int32_t t = kUnknown;
    for (; p < stop && stop - p >= 4; p += 4) {
        const std::int32_t t0 = trans[o + classOf[text[p]]];
        if (t0 < 0) {
            t = t0;
            goto looked;
        }
        const std::int32_t t1 = trans[t0 + classOf[text[p + 1]]];
        if (t1 < 0) {
            o = t0;
            p += 1;
            t = t1;
            goto looked;
        }
        const std::int32_t t2 = trans[t1 + classOf[text[p + 2]]];
        if (t2 < 0) {
            o = t1;
            p += 2;
            t = t2;
            goto looked;
        }
        const std::int32_t t3 = trans[t2 + classOf[text[p + 3]]];
        if (t3 < 0) {
            o = t2;
            p += 3;
            t = t3;
            goto looked;
        }
        o = t3;
    }
    for (; p < stop; ++p) {
        const std::int32_t next = trans[o + classOf[text[p]]];
        if (next < 0) {
            t = next;
            break;
        }
        o = next;
    }
looked:
    *pos = p;
    *offset = o;
    return t;
}

// The first boundary at or after the boundary `p` where `filter` lets a hit start; `window`
// keeps a required literal's window between calls.
bool NextStart(const StartFilter& filter, const unsigned char* text, std::size_t length,
               std::size_t p, StartWindow* window, bool* haveWindow, Boundary* out) {
    const Boundary at{p, kNoPosition};  // a jump's target gets its own
    if (filter.GetKind() == StartFilter::Kind::kRequiredLiteral) {
        if (!*haveWindow || window->last < p) {
            if (!filter.NextWindow(text, length, at, window)) return false;
            *haveWindow = true;
        }
        *out = window->begin.pos > p ? window->begin : at;
        return true;
    }
    return filter.Next(text, length, at, out);
}

}  // namespace

bool LazyDfa::Coincides(std::size_t pos, std::int32_t state) const {
    if (checkpointsFrom_ >= checkpoints_.size() || pos < checkpoints_[checkpointsFrom_].pos)
        return false;
    const std::size_t i =
        checkpointsFrom_ + (pos - checkpoints_[checkpointsFrom_].pos) / kCheckpointStride;
    return i < checkpoints_.size() && checkpoints_[i].pos == pos && checkpoints_[i].state == state;
}

// Keeps the current scan's marks from where it last entered a hit, followed by the earlier
// checkpoints from `upTo` on when the scan stopped there, in the state they name. The marks
// lie just before `upTo`, so they mostly take the places of earlier entries.
void LazyDfa::KeepCheckpoints(std::size_t lastHitEntered, std::size_t upTo) {
    std::size_t first = 0;
    while (first < scanMarks_.size() && scanMarks_[first].pos < lastHitEntered) ++first;
    const std::size_t marks = scanMarks_.size() - first;
    if (upTo == kNoPosition) {
        checkpoints_.assign(scanMarks_.begin() + static_cast<std::ptrdiff_t>(first),
                            scanMarks_.end());
        checkpointsFrom_ = 0;
        return;
    }
    const std::size_t at =
        checkpointsFrom_ + (upTo - checkpoints_[checkpointsFrom_].pos) / kCheckpointStride;
    if (marks <= at) {
        std::copy(scanMarks_.begin() + static_cast<std::ptrdiff_t>(first), scanMarks_.end(),
                  checkpoints_.begin() + static_cast<std::ptrdiff_t>(at - marks));
        checkpointsFrom_ = at - marks;
    } else {
        std::vector<Checkpoint> merged(scanMarks_.begin() + static_cast<std::ptrdiff_t>(first),
                                       scanMarks_.end());
        merged.insert(merged.end(), checkpoints_.begin() + static_cast<std::ptrdiff_t>(at),
                      checkpoints_.end());
        checkpoints_.swap(merged);
        checkpointsFrom_ = 0;
    }
}

LazyDfa::Result LazyDfa::FindEnd(const unsigned char* text, std::size_t length, Boundary from,
                                 const StartFilter& filter, std::size_t* end,
                                 std::size_t* startFloor) {
    StartWindow window;
    bool haveWindow = false;
    const std::size_t clearsBefore = totalClears_;
    std::size_t clearedAt = from.pos;
    bool matched = false;
    std::size_t lastEnd = 0, lastFresh = from.pos, lastHitEntered = 0;
    std::size_t stoppedAt = kNoPosition;  // where the scan met an earlier one
    std::size_t p = from.pos;
    scanMarks_.clear();
    std::int32_t s = StartState(BehindAt(text, from, behindMask_));
    for (;;) {
        // Entering state `s` at position `p`.
        const std::uint8_t special = info_[s].special;
        if (special & kSpecialMatch) {
            matched = true;
            lastEnd = p - static_cast<std::size_t>(keys_[s].matchBack);
            lastHitEntered = p;
        }
        if (special & kSpecialDead) break;
        if ((special & kSpecialStart) && useFilter_) {
            lastFresh = p;
            Boundary next;
            if (!NextStart(filter, text, length, p, &window, &haveWindow, &next))
                break;  // nothing alive and no start left
            if (next.pos > p) {
                p = next.pos;
                s = StartState(BehindAt(text, next, behindMask_));
                continue;
            }
        }
        std::size_t stop = length;
        if (matched) {
            const std::size_t checkpoint = (p / kCheckpointStride + 1) * kCheckpointStride;
            if (checkpoint < stop) stop = checkpoint;
        }
        const std::int32_t* trans = trans_.data();
        const std::uint8_t* classOf = classOf_;
        std::int32_t offset = s << shift_;
        const std::int32_t t = RunPlain(trans, classOf, text, &p, stop, &offset);
        s = offset >> shift_;
        if (p == stop && stop < length) {
            if (Coincides(p, s)) {
                stoppedAt = p;
                break;
            }
            scanMarks_.push_back({p, s});
            continue;
        }
        if (p >= length || text[p] == 0) {
            const int back = HitAtEnd(s);
            if (back >= 0) {
                matched = true;
                lastEnd = p - static_cast<std::size_t>(back);
                lastHitEntered = p + 1;  // no checkpoint is valid
            }
            break;
        }
        const StateKey& source = keys_[s];
        if (!useFilter_ && source.fresh)
            lastFresh = source.pendingLead < 0 && !source.pendingCr ? p : p - 1;
        if (t == kUnknown) {
            const std::size_t clears = totalClears_;
            s = Transition(s, classOf[text[p]]);
            if (clears != totalClears_) {
                if (totalClears_ - clearsBefore >= limits_.clearsBeforeGivingUp &&
                    p - clearedAt < limits_.minBytesPerState * lastClearStates_)
                    return Result::kGaveUp;
                clearedAt = p;
            }
        } else {
            s = -2 - t;
        }
        ++p;
    }
    if (matched) KeepCheckpoints(lastHitEntered, stoppedAt);
    if (!matched) return Result::kNoHit;
    *end = lastEnd;
    *startFloor = lastFresh;
    return Result::kHit;
}

bool LazyDfa::HitStartsAt(const unsigned char* text, std::size_t length, Boundary start,
                          std::size_t limit) {
    // A hit ending at `limit` shows at most two bytes later.
    const std::size_t stop = limit + 2 < length ? limit + 2 : length;
    std::size_t p = start.pos;
    std::int32_t s = AnchoredState(BehindAt(text, start, behindMask_));
    for (;;) {
        const std::uint8_t special = info_[s].special;
        if ((special & kSpecialMatch) && p - static_cast<std::size_t>(keys_[s].matchBack) <= limit)
            return true;
        if (special & kSpecialDead) return false;
        std::int32_t offset = s << shift_;
        const std::int32_t t = RunPlain(trans_.data(), classOf_, text, &p, stop, &offset);
        s = offset >> shift_;
        if (p >= length || text[p] == 0) {
            const int back = HitAtEnd(s);
            return back >= 0 && p - static_cast<std::size_t>(back) <= limit;
        }
        if (p == stop) return false;
        s = t == kUnknown ? Transition(s, classOf_[text[p]]) : -2 - t;
        ++p;
    }
}

}  // namespace grexmo
