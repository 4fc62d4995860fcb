#include "charset.h"

#include <algorithm>

namespace grexmo {

void CharSet::AddRange(CharCode lo, CharCode hi) {
    if (lo > hi) std::swap(lo, hi);
    ranges_.push_back({lo, hi});
}

void CharSet::AddSet(const CharSet& other) {
    ranges_.insert(ranges_.end(), other.ranges_.begin(), other.ranges_.end());
}

void CharSet::Negate() {
    Canonicalize();
    std::vector<CodeRange> out;
    unsigned next = 0;
    for (const CodeRange& r : ranges_) {
        if (r.lo > next)
            out.push_back({static_cast<CharCode>(next), static_cast<CharCode>(r.lo - 1)});
        next = r.hi + 1u;
    }
    if (next <= 0xFFFF) out.push_back({static_cast<CharCode>(next), 0xFFFF});
    ranges_.swap(out);
}

void CharSet::Remove(const CharSet& other) {
    CharSet kept = other;
    kept.Negate();
    std::vector<CodeRange> out;
    std::size_t j = 0;
    const std::vector<CodeRange>& keep = kept.ranges_;
    for (const CodeRange& r : ranges_) {
        while (j < keep.size() && keep[j].hi < r.lo) ++j;
        for (std::size_t k = j; k < keep.size() && keep[k].lo <= r.hi; ++k)
            out.push_back({std::max(r.lo, keep[k].lo), std::min(r.hi, keep[k].hi)});
    }
    ranges_.swap(out);
}

void CharSet::AddCaseFolds() {
    // Each letter block and the distance to its other case.
    struct FoldSpan {
        CharCode lo, hi;
        int shift;
    };
    static const FoldSpan kSpans[] = {
        {'A', 'Z', 'a' - 'A'},
        {'a', 'z', 'A' - 'a'},
        {kFullWidthUpperA, kFullWidthUpperZ, kFullWidthLowerA - kFullWidthUpperA},
        {kFullWidthLowerA, kFullWidthLowerZ, kFullWidthUpperA - kFullWidthLowerA},
    };
    const std::size_t count = ranges_.size();
    for (std::size_t i = 0; i < count; ++i) {
        const CodeRange r = ranges_[i];
        for (const FoldSpan& span : kSpans) {
            const CharCode lo = std::max(r.lo, span.lo), hi = std::min(r.hi, span.hi);
            if (lo <= hi)
                AddRange(static_cast<CharCode>(lo + span.shift),
                         static_cast<CharCode>(hi + span.shift));
        }
    }
    Canonicalize();
}

bool CharSet::Contains(CharCode c) const {
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), c,
                               [](CharCode v, const CodeRange& r) { return v < r.lo; });
    return it != ranges_.begin() && c <= (it - 1)->hi;
}

void CharSet::Canonicalize() {
    std::sort(ranges_.begin(), ranges_.end(),
              [](const CodeRange& a, const CodeRange& b) { return a.lo < b.lo; });
    std::vector<CodeRange> merged;
    for (const CodeRange& r : ranges_) {
        if (!merged.empty() && r.lo <= merged.back().hi + 1u) {
            merged.back().hi = std::max(merged.back().hi, r.hi);
        } else {
            merged.push_back(r);
        }
    }
    ranges_.swap(merged);
}

CharSet CharSet::Digits() {
    CharSet s;
    s.AddRange('0', '9');
    return s;
}

CharSet CharSet::WordChars() {
    CharSet s;
    s.AddRange('0', '9');
    s.AddRange('A', 'Z');
    s.AddRange('a', 'z');
    s.AddChar('_');
    s.Canonicalize();
    return s;
}

CharSet CharSet::Spaces() {
    CharSet s;
    s.AddRange('\t', '\r');  // tab, LF, VT, FF, CR
    s.AddChar(' ');
    s.AddChar(kFullWidthSpace);
    s.Canonicalize();
    return s;
}

CharSet CharSet::AnyButLineBreak() {
    CharSet s;
    s.AddChar('\n');
    s.AddChar('\r');
    s.Negate();
    return s;
}

}  // namespace grexmo
