#include "matcher.h"

#include "compile.h"
#include "parse.h"
#include "pattern_chars.h"
#include "size_limits.h"

#include <climits>
#include <cstring>

namespace grexmo {
namespace {

// How far past a hit the told text is checked for a zero byte at once.
constexpr std::size_t kZeroCheckAhead = std::size_t{1} << 16;

// strlen that stops looking after `limit` bytes.
std::size_t BoundedLength(const char* s, std::size_t limit) {
    std::size_t n = 0;
    while (n <= limit && s[n] != 0) ++n;
    return n;
}

bool EndsWithLoneLead(const std::string& literal) {
    const auto* p = reinterpret_cast<const unsigned char*>(literal.c_str());
    std::size_t offset = 0;
    DecodedChar last{0, 0};
    while (p[offset] != 0) {
        last = DecodeChar(p + offset);
        offset += last.length;
    }
    return last.length == 1 && IsLeadByte(static_cast<unsigned char>(last.code));
}

}  // namespace

void Matcher::Reset() noexcept {
    valid_ = false;
    outOfMemory_ = false;
    dfa_.reset();  // these refer to the program
    stretchVm_.reset();
    reverse_.reset();
    reversedProg_ = Prog{};
    vm_.reset();
    prog_ = Prog{};
    filter_ = StartFilter{};
    literal_.clear();
    literalEndsWithLoneLead_ = false;
    literalWalker_ = LiteralWalker{};
    assertsLookAhead_ = false;
    lastText_ = nullptr;
    hit_.clear();
}

void Matcher::FailOutOfMemory() noexcept {
    Reset();
    outOfMemory_ = true;
}

void Matcher::Compile(const char* pattern, bool isRegex, unsigned folds) {
    Reset();
    if (!pattern) {
        error_ = "the pattern is missing (null)";
        return;
    }
    if (BoundedLength(pattern, kMaxPatternBytes) > kMaxPatternBytes) {
        error_ = "pattern longer than " + std::to_string(kMaxPatternBytes) + " bytes";
        return;
    }
    std::vector<PatternChar> chars = SplitPattern(pattern);
    Ast ast;
    PatternError problem;
    if (isRegex) {
        if (!ParseRegex(chars, folds, &ast, &problem)) {
            error_ = problem.message + " at offset " + std::to_string(problem.offset);
            return;
        }
    } else {
        ParseLiteral(chars, folds, &ast);
    }
    if (!grexmo::Compile(ast, &prog_, &problem)) {
        error_ = problem.message;
        prog_ = Prog{};
        return;
    }
    bool wholeLiteral = false;
    filter_ = StartFilter::Analyze(ast, prog_, &literal_, &wholeLiteral);
    if (wholeLiteral) {
        prog_ = Prog{};
        literalEndsWithLoneLead_ = EndsWithLoneLead(literal_);
        literalWalker_ = LiteralWalker(literal_, LiteralFinder(literal_).Pair(),
                                       literalEndsWithLoneLead_);
    } else {
        vm_ = std::make_unique<PikeVm>(prog_);
        dfa_ = std::make_unique<LazyDfa>(prog_, filter_);
        stretchVm_ = std::make_unique<PikeVm>(prog_, false);
        // As large as the forward program, so it cannot fail where that did not.
        if (CompileReversed(ast, &reversedProg_, &problem))
            reverse_ = std::make_unique<ReverseDfa>(reversedProg_);
        for (const Inst& inst : prog_.insts)
            if (inst.op == Op::kAssert && inst.assertion != AssertKind::kLineStart)
                assertsLookAhead_ = true;
    }
    valid_ = true;
    error_.clear();
}

bool Matcher::Resume(const char* text, std::size_t length, bool measure, std::size_t start,
                     Boundary* from) {
    if (text != lastText_ || start <= lastStart_ || measure != measured_ ||
        (!measure && length != toldLength_)) {
        lastText_ = text;
        measured_ = measure;
        toldLength_ = length;
        if (measure) {
            length_ = std::strlen(text);
            if (length_ > static_cast<std::size_t>(INT_MAX)) length_ = INT_MAX;
            zeroFreeUpTo_ = length_;
        } else {
            length_ = length;
            zeroFreeUpTo_ = 0;
        }
        known_ = Boundary{};
        if (vm_) vm_->ForgetText();
        if (dfa_) dfa_->ForgetText();
    }
    lastStart_ = start;
    if (start > length_) return false;
    if (known_.pos > start) known_ = Boundary{};
    *from =
        NextBoundaryAtOrAfter(reinterpret_cast<const unsigned char*>(text), known_, start, length_);
    known_ = *from;
    return true;
}

bool Matcher::FindLiteral(const unsigned char* text, Boundary from, Hit* hit) const {
    Boundary at = from;
    for (;;) {
        Boundary candidate;
        if (literal_.empty()) {
            candidate = at;
        } else if (!filter_.Next(text, length_, at, &candidate)) {
            return false;
        }
        std::size_t end = candidate.pos + literal_.size();
        // A final lone lead byte in the pattern must not take the next byte as its trail.
        if (!(literalEndsWithLoneLead_ && end < length_ && IsTrailByte(text[end]))) {
            hit->begin = candidate.pos;
            hit->end = NextBoundaryAtOrAfter(text, candidate, end, length_);
            return true;
        }
        at = NextBoundaryAtOrAfter(text, candidate, candidate.pos + 1, length_);
    }
}

bool Matcher::FindWithDfa(const unsigned char* text, Boundary from, Hit* hit, bool* gaveUp) {
    std::size_t end = 0, floor = 0;
    switch (dfa_->FindEnd(text, length_, from, filter_, &end, &floor)) {
    case LazyDfa::Result::kNoHit:
        return false;
    case LazyDfa::Result::kGaveUp:
        *gaveUp = true;
        return false;
    case LazyDfa::Result::kHit:
        break;
    }
    // Both are boundaries; this gives the characters before them (for \b).
    const Boundary start = NextBoundaryAtOrAfter(text, from, floor, length_);
    const Boundary stop = NextBoundaryAtOrAfter(text, start, end, length_);
    // Mostly the hit starts right at `floor`.
    if (!ReverseStartsForced() && dfa_->HitStartsAt(text, length_, start, end)) {
        hit->begin = floor;
        hit->end = stop;
        return true;
    }
    // Else the leftmost start from which a match ends at `end`: the reverse DFA finds it
    // stepping back from there to `floor`.
    if (reverse_) {
        std::size_t begin = 0;
        switch (reverse_->LeftmostStart(text, length_, start, stop.pos, &begin)) {
        case ReverseDfa::Result::kStart:
            hit->begin = begin;
            hit->end = stop;
            return true;
        case ReverseDfa::Result::kGaveUp:
            reverse_.reset();
            break;
        case ReverseDfa::Result::kNoStart:
            break;  // not expected; the VM decides
        }
    }
    // Without the reverse DFA, the hit is the leftmost-first one from `floor` on, in the
    // text cut off at its end too. $ and \b at `end` look at two bytes after it at most.
    // One that holds at the cut only gives a hit that ends past `end`; the whole text
    // decides then.
    const std::size_t cut = !assertsLookAhead_ ? end : end + 2 < length_ ? end + 2 : length_;
    if (stretchVm_->Search(text, cut, start, filter_, hit) && hit->end.pos == end) return true;
    if (cut < length_ && assertsLookAhead_ &&
        stretchVm_->Search(text, length_, start, filter_, hit) && hit->end.pos == end)
        return true;
    *gaveUp = true;  // not expected; the VM alone decides then
    return false;
}

bool Matcher::Search(const unsigned char* text, Boundary from, Hit* hit) {
    if (!vm_) return FindLiteral(text, from, hit);
    bool found = false;
    bool gaveUp = false;
    if (dfa_) {
        found = FindWithDfa(text, from, hit, &gaveUp);
        if (gaveUp) {
            dfa_.reset();
            stretchVm_.reset();
        }
    }
    if (!dfa_) found = vm_->Search(text, length_, from, filter_, hit);
    return found;
}

void Matcher::CutAt(std::size_t zero) {
    length_ = zero;
    zeroFreeUpTo_ = zero;
    // What was learnt past the zero belongs to no text that will be searched again.
    if (vm_) vm_->ForgetText();
    if (dfa_) dfa_->ForgetText();
}

bool Matcher::NextHit(const unsigned char* text, Boundary from, Hit* hit) {
    for (;;) {
        if (!Search(text, from, hit)) return false;
        const std::size_t end = hit->end.pos;
        if (end <= zeroFreeUpTo_) return true;
        // Some way past the hit too, so that a walk over dense hits looks once per stretch.
        std::size_t ahead = zeroFreeUpTo_ + kZeroCheckAhead;
        if (ahead < end) ahead = end;
        if (ahead > length_) ahead = length_;
        const void* zero = std::memchr(text + zeroFreeUpTo_, 0, ahead - zeroFreeUpTo_);
        if (zero == nullptr) {
            zeroFreeUpTo_ = ahead;
            return true;
        }
        // Once per text at most: past the cut nothing is left to check.
        CutAt(static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - text));
        if (end <= length_) return true;  // the hit lies before the zero
        if (from.pos > length_) return false;
    }
}

LiteralWalkEnd Matcher::WalkLiteral(const unsigned char* text, Boundary from, GrexmoHit* hits,
                                    std::size_t capacity) {
    const LiteralWalkEnd end = literalWalker_.Walk(text, length_, zeroFreeUpTo_, from, hits, capacity);
    if (end.zero != kNoPosition) {
        CutAt(end.zero);
    } else if (end.zeroFreeUpTo > zeroFreeUpTo_) {
        zeroFreeUpTo_ = end.zeroFreeUpTo;
    }
    return end;
}

bool Matcher::After(const unsigned char* text, const Hit& hit, Boundary* next) {
    if (hit.end.pos > hit.begin) {
        *next = hit.end;
        return true;
    }
    const std::size_t at = hit.end.pos;
    if (at >= length_) return false;
    if (text[at] == 0) {  // the first one: NextHit saw none before the hit's end
        CutAt(at);
        return false;
    }
    *next = NextBoundaryAtOrAfter(text, hit.end, at + 1, length_);
    return true;
}

int Matcher::Find(const char* text, int start) {
    hit_.clear();
    if (!valid_ || !text) return -1;
    Boundary from;
    if (!Resume(text, 0, true, start < 0 ? 0 : static_cast<std::size_t>(start), &from)) return -1;
    Hit hit;
    if (!NextHit(reinterpret_cast<const unsigned char*>(text), from, &hit)) return -1;
    hit_.assign(text + hit.begin, hit.end.pos - hit.begin);
    known_ = hit.end;
    return static_cast<int>(hit.begin);
}

long long Matcher::FindIn(const char* text, std::size_t length, std::size_t start) {
    hit_.clear();
    if (!valid_ || !text) return -1;
    Boundary from;
    if (!Resume(text, length, false, start, &from)) return -1;
    Hit hit;
    if (!NextHit(reinterpret_cast<const unsigned char*>(text), from, &hit)) return -1;
    hit_.assign(text + hit.begin, hit.end.pos - hit.begin);
    known_ = hit.end;
    return static_cast<long long>(hit.begin);
}

long long Matcher::Count(const char* text, std::size_t length) {
    hit_.clear();
    if (!valid_ || !text) return 0;
    Boundary from;
    if (!Resume(text, length, false, 0, &from)) return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (!vm_ && !literal_.empty())
        return static_cast<long long>(WalkLiteral(bytes, from, nullptr, kNoPosition).filled);
    long long count = 0;
    Hit hit;
    while (NextHit(bytes, from, &hit)) {
        ++count;
        if (!After(bytes, hit, &from)) break;
    }
    return count;
}

std::size_t Matcher::FindHits(const char* text, std::size_t length, std::size_t* start,
                              GrexmoHit* hits, std::size_t capacity) {
    hit_.clear();
    if (!valid_ || !text || !start || !hits || capacity == 0) return 0;
    Boundary from;
    if (!Resume(text, length, false, *start, &from)) return 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (!vm_ && !literal_.empty()) {
        const LiteralWalkEnd end = WalkLiteral(bytes, from, hits, capacity);
        *start = end.finished ? length_ + 1 : end.next.pos;
        if (!end.finished) known_ = end.next;
        return end.filled;
    }
    std::size_t filled = 0;
    Hit hit;
    bool over = false;
    while (filled < capacity && !over) {
        if (!NextHit(bytes, from, &hit)) {
            over = true;
            break;
        }
        hits[filled++] = GrexmoHit{hit.begin, hit.end.pos - hit.begin};
        over = !After(bytes, hit, &from);
    }
    if (over) {
        *start = length_ + 1;  // past the end: a call from there finds nothing
        return filled;
    }
    *start = from.pos;
    known_ = from;  // the next batch needs no boundary found again
    return filled;
}

}  // namespace grexmo
