// Folding, settled while parsing as case folding always was: a set of characters grows by
// every form the folds make the same as a member, so the later stages only ever see ordinary
// characters and classes. Under width, a half-width kana and the ﾞ or ﾟ after it are one
// character (ｶﾞ is ガ); the parser builds that from the joins and the assertion below.
#ifndef GREXMO_FOLD_H
#define GREXMO_FOLD_H

#include "charset.h"

namespace grexmo {

// Adds every character that `folds` (GrexmoFold values) makes equal to a member, so the set
// is closed under them; canonicalizes it.
void AddFoldedForms(CharSet* set, unsigned folds);

// Whether the half-width kana `base` and the sound mark `mark` (ﾞ or ﾟ) after it are one
// character under width folding.
bool JoinsSoundMark(CharCode base, CharCode mark);

// The full-width kana that `base` and `mark` are together, or 0 when they are two characters.
CharCode JoinedKana(CharCode base, CharCode mark);

constexpr CharCode kHalfWidthVoicedMark = 0xDE;      // ﾞ
constexpr CharCode kHalfWidthSemiVoicedMark = 0xDF;  // ﾟ

}  // namespace grexmo

#endif
