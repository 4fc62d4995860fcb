#include "literal_search.h"

#include "boundary.h"
#include "char_code.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace grexmo {
namespace {

// A rough guess of how often a byte occurs in Japanese Shift_JIS text with some ASCII mixed
// in; higher is more common. Only the order matters.
int ByteCommonness(unsigned char b) {
    if (b >= 0x81 && b <= 0x83) return 250;  // punctuation, hiragana, katakana leads
    if (b == ' ' || b == '\n' || b == '\r') return 220;
    if (b >= 'a' && b <= 'z') return 150;
    if (b >= 0x88 && b <= 0x9F) return 120;  // kanji leads, also frequent trails
    if (b >= 0xE0 && b <= 0xEA) return 90;
    if (b >= 'A' && b <= 'Z') return 80;
    if (b >= '0' && b <= '9') return 80;
    if (b >= 0xF2 && b <= 0xFC) return 50;  // kanji trails only (their leads are rare)
    if (b >= 0x40) return 60;               // trail bytes spread over their whole range
    return 40;
}

// memchr pays off while its hits are at least this many bytes apart on average.
constexpr std::size_t kMemchrMinimumStride = 256;

}  // namespace

LiteralFinder::LiteralFinder(std::string needle) : needle_(std::move(needle)) {
    std::size_t rarest = 0, second = needle_.size() > 1 ? 1 : 0;
    auto commonness = [this](std::size_t i) {
        return ByteCommonness(static_cast<unsigned char>(needle_[i]));
    };
    for (std::size_t i = 0; i < needle_.size(); ++i)
        if (commonness(i) < commonness(rarest)) rarest = i;
    if (rarest == second) second = 0;
    for (std::size_t i = 0; i < needle_.size(); ++i)
        if (i != rarest && commonness(i) < commonness(second)) second = i;
    pair_ = {static_cast<unsigned char>(needle_[rarest]), rarest,
             static_cast<unsigned char>(needle_[second]), second};
}

std::size_t LiteralFinder::Find(const unsigned char* text, std::size_t from,
                                std::size_t end) const {
    const std::size_t n = needle_.size();
    if (end < from || end - from < n) return kNoPosition;
    if (n == 0) return from;
    if (n == 1) {
        const void* hit = std::memchr(text + from, needle_[0], end - from);
        return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text)
                   : kNoPosition;
    }
    const std::size_t lastStart = end - n;
    // The pair scan may only propose starts whose whole needle fits before `end`.
    const std::size_t pairEnd = lastStart + 1 + std::max(pair_.firstOffset, pair_.secondOffset);
    // memchr on the rarest byte first: the C library's is the fastest scan there is. When
    // that byte turns out common in this text, the pair scan takes over.
    bool byPair = false;
    std::size_t misses = 0;
    for (std::size_t pos = from; pos <= lastStart;) {
        std::size_t at;
        if (byPair) {
            at = FindBytePair(text, pos, pairEnd, pair_);
            if (at == SIZE_MAX) return kNoPosition;
        } else {
            const std::size_t lo = pos + pair_.firstOffset;
            const void* hit =
                std::memchr(text + lo, pair_.first, lastStart + pair_.firstOffset + 1 - lo);
            if (!hit) return kNoPosition;
            at = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text) -
                 pair_.firstOffset;
        }
        if (std::memcmp(text + at, needle_.data(), n) == 0) return at;
        pos = at + 1;
        if (!byPair && ++misses >= 8 && pos - from < misses * kMemchrMinimumStride) byPair = true;
    }
    return kNoPosition;
}

ByteSetFinder::ByteSetFinder(const bool (&members)[256]) {
    for (int b = 0; b < 256; ++b) {
        members_[b] = members[b];
        if (members[b]) {
            ++count_;
            only_ = static_cast<unsigned char>(b);
            if (IsTrailByte(static_cast<unsigned char>(b))) anyTrailValue_ = true;
        }
    }
    for (int b = 0; b < 256; ++b) {
        if (!members[b] || (b > 0 && members[b - 1])) continue;
        if (ranges_.count == ByteRanges::kMax) {  // too many for the vector scan
            ranges_.count = 0;
            break;
        }
        int last = b;
        while (last < 255 && members[last + 1]) ++last;
        ranges_.lo[ranges_.count] = static_cast<unsigned char>(b);
        ranges_.width[ranges_.count] = static_cast<unsigned char>(last - b);
        ++ranges_.count;
    }
}

std::size_t ByteSetFinder::Find(const unsigned char* text, std::size_t from,
                                std::size_t end) const {
    if (from >= end) return kNoPosition;
    if (count_ == 1) {
        const void* hit = std::memchr(text + from, only_, end - from);
        return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text)
                   : kNoPosition;
    }
    if (ranges_.count > 0)
        return anyTrailValue_ ? FindByteInRangesSkippingTrails(text, from, end, ranges_)
                              : FindByteInRanges(text, from, end, ranges_);
    for (std::size_t i = from; i < end; ++i)
        if (members_[text[i]]) return i;
    return kNoPosition;
}

}  // namespace grexmo
