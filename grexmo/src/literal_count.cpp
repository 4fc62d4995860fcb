#include "literal_count.h"

#include "char_code.h"
#include "simd.h"

#include <cstring>
#include <utility>

namespace grexmo {
namespace {

// How far ahead of the walk the text is checked for a zero byte at once: the stretch is then
// still in the cache when the scan reads it.
constexpr std::size_t kZeroCheckStretch = std::size_t{1} << 16;

// As in the finder: memchr on the rarest byte pays off while its hits are at least this many
// bytes apart; after this many of them the walk judges.
constexpr std::size_t kMemchrMinimumStride = 256;
constexpr std::size_t kMemchrTrial = 8;

#if defined(GREXMO_HAVE_SSE2)

// The 16 starts from `i` where both bytes of the pair stand, as bits; `a` and `b` are the
// text moved back by the pair's offsets.
inline unsigned PairMask(const unsigned char* a, const unsigned char* b, std::size_t i,
                         __m128i first, __m128i second) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(x, first), _mm_cmpeq_epi8(y, second))));
}
#endif

// One walk's moving parts.
class Walk {
public:
    Walk(const unsigned char* text, std::size_t length, std::size_t zeroFreeUpTo,
         const std::string& literal, bool wholeByPair, bool endsWithLoneLead, Boundary from,
         GrexmoHit* hits, std::size_t capacity)
        : text_(text),
          length_(length),
          literal_(literal),
          wholeByPair_(wholeByPair),
          endsWithLoneLead_(endsWithLoneLead),
          hits_(hits),
          capacity_(capacity),
          pos_(from.pos),
          known_(from),
          zeroFreeUpTo_(zeroFreeUpTo) {}

    std::size_t Pos() const { return pos_; }
    void SkipTo(std::size_t pos) {
        if (pos_ < pos) pos_ = pos;
    }
    const Boundary& Known() const { return known_; }
    std::size_t Filled() const { return filled_; }
    bool Full() const { return filled_ == capacity_; }
    std::size_t Zero() const { return zero_; }
    std::size_t ZeroFreeUpTo() const { return zeroFreeUpTo_; }

    // Judges the start `c`, where the pair stands; true once the walk is over: the hits fill
    // the capacity, or the text ends at a zero byte before the next hit's end.
    bool Take(std::size_t c) {
        const std::size_t n = literal_.size();
        if (c < pos_) return false;  // inside the last hit or before a boundary already found
        if (!wholeByPair_ && std::memcmp(text_ + c, literal_.data(), n) != 0) return false;
        const Boundary at = NextBoundaryAtOrAfter(text_, known_, c, length_);
        known_ = at;
        pos_ = at.pos;
        if (at.pos != c) return false;  // c holds the trail of a pair
        const std::size_t end = c + n;
        // A final lone lead byte in the literal must not take the next byte as its trail.
        if (endsWithLoneLead_ && end < length_ && IsTrailByte(text_[end])) {
            known_ = NextBoundaryAtOrAfter(text_, at, c + 1, length_);
            pos_ = known_.pos;
            return false;
        }
        if (end > zeroFreeUpTo_ && ZeroBefore(end)) return true;
        known_ = NextBoundaryAtOrAfter(text_, at, end, length_);
        pos_ = known_.pos;
        if (hits_) hits_[filled_] = GrexmoHit{c, n};
        return ++filled_ == capacity_;
    }

private:
    // Whether a zero byte ends the text before `end`, looked for some way further at once so
    // that dense hits look once per stretch. A hit's literal holds no zero, so one found
    // before `end` lies before the hit too.
    bool ZeroBefore(std::size_t end) {
        if (zero_ != kNoPosition) return true;  // the hit lies past the zero
        std::size_t ahead = zeroFreeUpTo_ + kZeroCheckStretch;
        if (ahead < end) ahead = end;
        if (ahead > length_) ahead = length_;
        const void* zero = std::memchr(text_ + zeroFreeUpTo_, 0, ahead - zeroFreeUpTo_);
        if (!zero) {
            zeroFreeUpTo_ = ahead;
            return false;
        }
        zero_ = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - text_);
        zeroFreeUpTo_ = zero_;
        return end > zero_;
    }

    const unsigned char* text_;
    std::size_t length_;
    const std::string& literal_;
    bool wholeByPair_;
    bool endsWithLoneLead_;
    GrexmoHit* hits_;
    std::size_t capacity_;
    std::size_t filled_ = 0;
    std::size_t pos_;  // no hit starts before this
    Boundary known_;   // at or before pos_
    std::size_t zeroFreeUpTo_;
    std::size_t zero_ = kNoPosition;  // the first zero byte, once found
};

// Every start in [from, last] where the pair stands, to `walk`; true once it is full.
bool ScanPairs(const unsigned char* text, std::size_t from, std::size_t last, const BytePair& pair,
               Walk* walk) {
    std::size_t i = from;
#if defined(GREXMO_HAVE_SSE2)
    const __m128i first = _mm_set1_epi8(static_cast<char>(pair.first));
    const __m128i second = _mm_set1_epi8(static_cast<char>(pair.second));
    const unsigned char* a = text + pair.firstOffset;
    const unsigned char* b = text + pair.secondOffset;
    // 32 starts a round, all of whose literals lie within the text.
    while (i <= last && last - i >= 31) {
        const unsigned lo = PairMask(a, b, i, first, second);
        const unsigned hi = PairMask(a, b, i + 16, first, second);
        if ((lo | hi) == 0) {
            i += 32;
            continue;
        }
        unsigned mask = lo | (hi << 16);
        while (mask != 0) {
            if (walk->Take(i + LowestBit(mask))) return true;
            mask &= mask - 1;
        }
        i += 32;
        if (i < walk->Pos()) i = walk->Pos();
    }
#endif
    for (; i <= last; ++i)
        if (text[i + pair.firstOffset] == pair.first &&
            text[i + pair.secondOffset] == pair.second && i >= walk->Pos() && walk->Take(i))
            return true;
    return false;
}

}  // namespace

LiteralWalker::LiteralWalker(std::string literal, const BytePair& pair, bool endsWithLoneLead)
    : literal_(std::move(literal)),
      pair_(pair),
      pairIsWholeLiteral_(literal_.size() <= 2),
      endsWithLoneLead_(endsWithLoneLead) {}

LiteralWalkEnd LiteralWalker::Walk(const unsigned char* text, std::size_t length,
                                   std::size_t zeroFreeUpTo, Boundary from, GrexmoHit* hits,
                                   std::size_t capacity) const {
    const std::size_t n = literal_.size();
    grexmo::Walk walk(text, length, zeroFreeUpTo, literal_, pairIsWholeLiteral_, endsWithLoneLead_,
                      from, hits, capacity);
    bool over = false;
    if (length >= n && from.pos <= length - n) {
        const std::size_t last = length - n;  // the last start whose literal fits
        // memchr on the rarest byte until it proves common in this text, then the pair scan.
        std::size_t tried = 0;
        while (!over && walk.Pos() <= last) {
            if (++tried > kMemchrTrial && walk.Pos() - from.pos < tried * kMemchrMinimumStride) {
                over = ScanPairs(text, walk.Pos(), last, pair_, &walk);
                break;
            }
            const std::size_t lo = walk.Pos() + pair_.firstOffset;
            const void* hit =
                std::memchr(text + lo, pair_.first, last + pair_.firstOffset + 1 - lo);
            if (!hit) break;
            const std::size_t c =
                static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text) -
                pair_.firstOffset;
            // The pair's other byte, which Take leaves to the scan when the pair is all.
            over = text[c + pair_.secondOffset] == pair_.second && walk.Take(c);
            walk.SkipTo(c + 1);
        }
    }
    LiteralWalkEnd out;
    out.filled = walk.Filled();
    out.next = walk.Known();
    out.finished = !walk.Full();
    out.zero = walk.Zero();
    out.zeroFreeUpTo = walk.ZeroFreeUpTo();
    return out;
}

}  // namespace grexmo
