// The parsed pattern: nodes in one array, children always before their parent, so later
// stages can walk it in index order without recursion.
#ifndef GREXMO_AST_H
#define GREXMO_AST_H

#include "charset.h"

#include <cstddef>
#include <string>
#include <vector>

namespace grexmo {

enum class AssertKind : unsigned char {
    kLineStart,
    kLineEnd,
    kWordBoundary,
    kNotWordBoundary,
    // Not between a half-width kana and the ﾞ or ﾟ that joins it (width folding only).
    kNotInsideJoinedKana,
};

enum class NodeKind : unsigned char {
    kEmpty,
    kLiteral,
    kClass,
    kAssert,
    kConcat,
    kAlternate,
    kRepeat
};

struct Node {
    NodeKind kind = NodeKind::kEmpty;
    CharCode code = 0;    // Literal
    int classIndex = -1;  // Class: index into Ast::classes
    AssertKind assertion = AssertKind::kLineStart;
    std::vector<int> children;  // Concat, Alternate (in order of preference); Repeat: one
    int min = 0;                // Repeat
    int max = -1;               // Repeat; -1 is unbounded
    bool greedy = true;         // Repeat
};

struct Ast {
    std::vector<Node> nodes;
    std::vector<CharSet> classes;
    int root = -1;
};

struct PatternError {
    std::string message;
    std::size_t offset = 0;  // byte offset in the pattern
};

}  // namespace grexmo

#endif
