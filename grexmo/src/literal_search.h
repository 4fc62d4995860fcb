// Byte searches that pick out candidate hit positions; they know nothing about characters,
// so every answer still has to be checked for a boundary.
#ifndef GREXMO_LITERAL_SEARCH_H
#define GREXMO_LITERAL_SEARCH_H

#include "byte_scan.h"

#include <cstddef>
#include <string>

namespace grexmo {

// A fixed byte string: memchr on its rarest byte, or, when that byte proves common in the
// text, a scan for its two rarest bytes at their distance; each candidate confirmed with
// memcmp.
class LiteralFinder {
public:
    LiteralFinder() = default;
    explicit LiteralFinder(std::string needle);

    // First occurrence that starts at or after `from` and ends by `end`; SIZE_MAX when none.
    std::size_t Find(const unsigned char* text, std::size_t from, std::size_t end) const;
    const std::string& Needle() const { return needle_; }
    // The two bytes the scan looks for when the rarest proves common.
    const BytePair& Pair() const { return pair_; }

private:
    std::string needle_;
    BytePair pair_{};
};

// Any byte from a set, found with memchr when the set has one byte and a table otherwise;
// a set of trail values passes over the bytes that are surely the second of a pair.
class ByteSetFinder {
public:
    ByteSetFinder() = default;
    explicit ByteSetFinder(const bool (&members)[256]);

    // `from` must be a character boundary.
    std::size_t Find(const unsigned char* text, std::size_t from, std::size_t end) const;

private:
    bool members_[256] = {};
    bool anyTrailValue_ = false;
    int count_ = 0;
    unsigned char only_ = 0;
    ByteRanges ranges_{};  // the members as ranges, when they are few (count > 0)
};

}  // namespace grexmo

#endif
