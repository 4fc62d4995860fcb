// The main window's check boxes as [main] keeps them from one run to the next.
#pragma once

#include "app/profile_file.h"

namespace quelbrix {

// What matching the word ignores: the three boxes below the first two.
struct MatchFolds {
    bool ignoreCase = false;   // ignorecase: upper and lower case
    bool ignoreWidth = false;  // ignorewidth: full-width and half-width forms
    bool ignoreKana = false;   // ignorekana: hiragana and katakana
};

inline bool operator==(const MatchFolds& a, const MatchFolds& b) {
    return a.ignoreCase == b.ignoreCase && a.ignoreWidth == b.ignoreWidth &&
           a.ignoreKana == b.ignoreKana;
}
inline bool operator!=(const MatchFolds& a, const MatchFolds& b) { return !(a == b); }

struct MainOptions {
    bool searchSubfolders = false;  // under
    bool useRegex = false;          // formal
    MatchFolds folds;
};

// Each box starts ticked only for a stored 1; a missing key leaves it clear, although the
// settings template holds under=1. The template has no fold keys: a file written before them
// folds nothing.
MainOptions LoadMainOptions(ProfileFile& profile);
// Writes under, formal, ignorecase, ignorewidth and ignorekana, in that order, as 1 or 0.
void SaveMainOptions(ProfileFile& profile, const MainOptions& options);

}  // namespace quelbrix
