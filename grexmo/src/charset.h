// A set of characters (CharCode values) kept as sorted, disjoint, non-adjacent ranges.
#ifndef GREXMO_CHARSET_H
#define GREXMO_CHARSET_H

#include "char_code.h"

#include <vector>

namespace grexmo {

struct CodeRange {
    CharCode lo;
    CharCode hi;  // inclusive
};

// Adding only appends; Canonicalize() sorts and merges, and must run before the set is read
// (Negate() does it itself). Building a large class therefore stays n log n.
class CharSet {
public:
    void AddRange(CharCode lo, CharCode hi);
    void AddChar(CharCode c) { AddRange(c, c); }
    void AddSet(const CharSet& other);
    void Canonicalize();
    // Everything that is not in the set, over the whole code space.
    void Negate();
    // Takes out every member of `other`; both must be canonical.
    void Remove(const CharSet& other);
    // Adds the other case of every letter in the set: ASCII A-Z/a-z and the full-width
    // Latin letters (0x8260-0x8279 and 0x8281-0x829A). Canonicalizes the set.
    void AddCaseFolds();

    bool Contains(CharCode c) const;
    bool Empty() const { return ranges_.empty(); }
    const std::vector<CodeRange>& Ranges() const { return ranges_; }

    // The ASCII classes behind \d and \w; double-byte characters are in neither of them.
    static CharSet Digits();
    static CharSet WordChars();
    // \s: the ASCII white space and the full-width space 0x8140.
    static CharSet Spaces();
    // What `.` matches: every character except CR and LF.
    static CharSet AnyButLineBreak();

private:
    std::vector<CodeRange> ranges_;
};

// \w as a plain test, for the word-boundary assertions.
inline bool IsWordCode(CharCode c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

}  // namespace grexmo

#endif
