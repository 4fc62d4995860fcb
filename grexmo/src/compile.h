// Third stage: syntax tree to program (Thompson construction, leftmost-first priorities).
// Nodes are compiled in index order into separate fragments with targets relative to the
// fragment's start, so a parent splices its children's fragments without recursion.
#ifndef GREXMO_COMPILE_H
#define GREXMO_COMPILE_H

#include "ast.h"
#include "prog.h"

namespace grexmo {

// Fails only when the program would exceed kMaxProgramSize.
bool Compile(const Ast& ast, Prog* prog, PatternError* error);

// The program of the pattern read backwards: every concatenation in reverse order, the
// assertions unchanged (they look at the text, whichever way it is read). It matches
// [s, e) exactly where the pattern does, for a DFA that steps from e down to s.
bool CompileReversed(const Ast& ast, Prog* prog, PatternError* error);

}  // namespace grexmo

#endif
