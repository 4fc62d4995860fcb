// Grexmo: a Shift_JIS-aware regular-expression and plain-text matcher.
// This is the library's only public header.
#ifndef GREXMO_H
#define GREXMO_H

#if defined(_WIN32) && !defined(GREXMO_STATIC)
#if defined(GREXMO_BUILD)
#define GREXMO_API __declspec(dllexport)
#else
#define GREXMO_API __declspec(dllimport)
#endif
#else
#define GREXMO_API
#endif

namespace grexmo {
class Matcher;
}

// One compiled pattern. Read() compiles; Find() looks for the next hit in a zero-terminated
// Shift_JIS text. Nothing here throws; a malformed pattern leaves the object invalid and
// Find() then answers -1.
//
// Pattern and text are Shift_JIS; a double-byte character is one character everywhere, and
// hits start and end on character boundaries only. Regular expressions: . [...] [^...]
// * + ? {m} {m,} {m,n} (each also lazy with ?), | (...) (?:...), ^ $ (at line starts and
// ends; lines end at LF, CR LF or the end of the text), \d \w \s \D \W \S \b \B (ASCII
// only), \t \n \r \f \v \xHH and escaped punctuation. Leftmost-first, as Perl; matching
// time is linear in the text. Patterns longer than 8192 bytes, nested deeper than 250
// groups, with counts above 1000 or compiling to more than 20000 instructions are refused.
//
// Folding, for the whole pattern through Read()'s `folds` or in an expression as (?i) (?w)
// (?k), combined as (?iwk), at its start or as groups (?iw:...): case (A a Ａ ａ under both
// (?i) and (?w)), width (a character and its full-width or half-width form; ¥ and ￥ with
// the byte 0x5C; a half-width kana with ﾞ or ﾟ after it is one character, ｶﾞ equal to ガ,
// and no hit ends or starts between the two) and kana (a hiragana and its katakana).
// Classes fold member by member before they are negated.
enum GrexmoFold : unsigned {
    kGrexmoFoldNone = 0,
    kGrexmoFoldCase = 1,
    kGrexmoFoldWidth = 2,
    kGrexmoFoldKana = 4,
};

class GREXMO_API CGrexmo {
public:
    CGrexmo();
    virtual ~CGrexmo();
    CGrexmo(const CGrexmo&) = delete;
    CGrexmo& operator=(const CGrexmo&) = delete;

    // Compiles `pattern`; with isRegex false every byte of it stands for itself.
    void Read(const char* pattern, bool isRegex);
    // The same, folding as `folds` (GrexmoFold values ORed) says; a plain word folds as an
    // expression under those flags would, without any of its bytes becoming syntax.
    void Read(const char* pattern, bool isRegex, unsigned folds);

    // Byte offset of the first hit that starts at or after `start` in `text` (which ends at
    // its first zero byte); -1 when there is none or the pattern is invalid. `reserved` is
    // ignored. A start inside a double-byte character counts from the next character.
    // Successive calls on the same text with growing offsets do not measure it or look for
    // character boundaries from its start again, and skip what an earlier call proved can
    // lead to no hit: a call with the same text pointer and a larger offset than the last
    // call is taken to be on the same, unchanged text.
    int Find(const char* text, int start, bool reserved);

    // The text of the hit found by the last successful Find(); "" for a zero-length hit or
    // when there was none. Valid until the next Read() or Find().
    const char* GetHitText() const;

    // Whether the last Read() compiled its pattern, and if not, why (English, ASCII).
    bool IsValid() const;
    const char* GetErrorText() const;

private:
    grexmo::Matcher* matcher_;
};

#endif
