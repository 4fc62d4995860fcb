#include "literal_search.h"

#include "boundary.h"

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
    if (b >= 0x40) return 60;  // trail bytes spread over their whole range
    return 40;
}

}  // namespace

LiteralFinder::LiteralFinder(std::string needle) : needle_(std::move(needle)) {
    int best = 1000;
    for (std::size_t i = 0; i < needle_.size(); ++i) {
        int score = ByteCommonness(static_cast<unsigned char>(needle_[i]));
        if (score < best) {
            best = score;
            rareIndex_ = i;
        }
    }
}

std::size_t LiteralFinder::Find(const unsigned char* text, std::size_t from, std::size_t end) const {
    const std::size_t n = needle_.size();
    if (n == 0) return from <= end ? from : kNoPosition;
    if (end < from || end - from < n) return kNoPosition;
    const unsigned char rare = static_cast<unsigned char>(needle_[rareIndex_]);
    std::size_t lo = from + rareIndex_;
    const std::size_t hi = end - n + rareIndex_ + 1;  // exclusive bound for the rare byte
    while (lo < hi) {
        const void* hit = std::memchr(text + lo, rare, hi - lo);
        if (!hit) return kNoPosition;
        std::size_t at = static_cast<const unsigned char*>(hit) - text;
        std::size_t start = at - rareIndex_;
        if (std::memcmp(text + start, needle_.data(), n) == 0) return start;
        lo = at + 1;
    }
    return kNoPosition;
}

ByteSetFinder::ByteSetFinder(const bool (&members)[256]) {
    for (int b = 0; b < 256; ++b) {
        members_[b] = members[b];
        if (members[b]) {
            ++count_;
            only_ = static_cast<unsigned char>(b);
        }
    }
}

std::size_t ByteSetFinder::Find(const unsigned char* text, std::size_t from, std::size_t end) const {
    if (from >= end) return kNoPosition;
    if (count_ == 1) {
        const void* hit = std::memchr(text + from, only_, end - from);
        return hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - text) : kNoPosition;
    }
    for (std::size_t i = from; i < end; ++i)
        if (members_[text[i]]) return i;
    return kNoPosition;
}

}  // namespace grexmo
