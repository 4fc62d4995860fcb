// Second stage: pattern characters to a syntax tree. Iterative (an explicit stack of open
// groups), so the nesting of the pattern never reaches the call stack.
#ifndef GREXMO_PARSE_H
#define GREXMO_PARSE_H

#include "ast.h"
#include "pattern_chars.h"

#include <vector>

namespace grexmo {

// Parses a regular expression, folded as `folds` (GrexmoFold values) says and as its own flag
// groups add; on failure fills `error` and returns false.
bool ParseRegex(const std::vector<PatternChar>& chars, unsigned folds, Ast* ast,
                PatternError* error);

// Every character stands for itself, folded as `folds` says.
void ParseLiteral(const std::vector<PatternChar>& chars, unsigned folds, Ast* ast);

}  // namespace grexmo

#endif
