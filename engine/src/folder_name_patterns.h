// Folders left out of a walk by name: a list of patterns such as ".git;.svn;node_modules;obj".
//
// Items are separated by ';'. Blanks (spaces and tabs) before and after an item are not part of
// it, so "obj; bin" holds "obj" and "bin"; blanks inside an item stay. Empty items are ignored.
// An item matches a whole folder name, never a path: '*' stands for any run of characters, the
// empty one included, and '?' for exactly one character, a double-byte Shift_JIS character
// being one. ASCII letters compare without regard to case; a double-byte character compares
// byte for byte, so its second byte is never folded nor read as '*', '?' or ';'.
#ifndef QUELBRIX_FOLDER_NAME_PATTERNS_H
#define QUELBRIX_FOLDER_NAME_PATTERNS_H

#include <cstddef>

namespace quelbrix {

// Whether the `patternLength` bytes at `pattern` (one item, no ';') match all of `name`.
// Time is at most the product of the two lengths, whatever the stars.
bool MatchesNamePattern(const char* pattern, std::size_t patternLength, const char* name);

// Whether any item of `patterns` (null or empty: none) matches `name`.
bool IsExcludedFolderName(const char* name, const char* patterns);

}  // namespace quelbrix

#endif
