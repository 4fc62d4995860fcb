// The compiled program: instructions over whole characters, run by the Pike VM.
#ifndef GREXMO_PROG_H
#define GREXMO_PROG_H

#include "ast.h"
#include "charset.h"

#include <cstdint>
#include <vector>

namespace grexmo {

enum class Op : unsigned char {
    kChar,    // consume one character equal to `code`
    kClass,   // consume one character in classes[classIndex]
    kSplit,   // go on at x, and with lower priority at y
    kJmp,     // go on at x
    kAssert,  // zero-width test `assertion`
    kMatch,
};

struct Inst {
    Op op = Op::kMatch;
    AssertKind assertion = AssertKind::kLineStart;
    CharCode code = 0;
    std::int32_t classIndex = -1;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A character class with a bitmap for single bytes and ranges for double-byte characters.
class ProgClass {
public:
    explicit ProgClass(const CharSet& set);
    bool Contains(CharCode c) const {
        if (c <= 0xFF) return (singles_[c >> 5] >> (c & 31)) & 1u;
        for (const CodeRange& r : doubles_)
            if (c <= r.hi) return c >= r.lo;
        return false;
    }
    bool ContainsSingle(unsigned char b) const { return (singles_[b >> 5] >> (b & 31)) & 1u; }
    const std::vector<CodeRange>& DoubleRanges() const { return doubles_; }

private:
    std::uint32_t singles_[8] = {};
    std::vector<CodeRange> doubles_;  // sorted, only codes above 0xFF
};

struct Prog {
    std::vector<Inst> insts;  // starts at 0
    std::vector<ProgClass> classes;
    bool hasWordAssertions = false;
    bool hasJoinedKanaAssertions = false;
};

}  // namespace grexmo

#endif
