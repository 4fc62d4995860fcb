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

#include <cstddef>

namespace grexmo {
class Matcher;
}

// One compiled pattern. Read() compiles; Find() looks for the next hit in a zero-terminated
// Shift_JIS text, FindIn() in one whose length it is told; Count() and FindHits() walk every
// hit. Nothing here throws; a malformed pattern leaves the object invalid and the searches
// then find nothing.
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

// One hit as FindHits() gives it: `length` bytes of the text from byte offset `begin`.
struct GrexmoHit {
    std::size_t begin;
    std::size_t length;
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

    // As Find() over the first `length` bytes of `text`, which need not be zero-terminated:
    // no byte at or past text[length] is read. A zero byte within them still ends the text,
    // so the answers are Find()'s on a zero-terminated copy. The same pointer with the same
    // length and a larger offset than the last call continues as Find() does.
    long long FindIn(const char* text, std::size_t length, std::size_t start);

    // The number of non-overlapping hits in the first `length` bytes of `text` (ending at a
    // zero byte as FindIn's text does): the first hit from the start, each next one from the
    // end of the last, or one whole character after it when it was empty. 0 for an invalid
    // pattern. The whole walk runs inside, with no call and no copy of a hit's text per hit.
    long long Count(const char* text, std::size_t length);

    // The hits Count() counts, up to `capacity` of them, from the offset `*start` on (0 for
    // the first batch), into `hits`; moves `*start` to where the next batch goes on and
    // answers how many it filled. A batch of fewer than `capacity` is the last; once the walk
    // is over, `*start` lies past the text's end and further calls fill none. Calls on the
    // same text with the `*start` the last call left continue where it stopped.
    std::size_t FindHits(const char* text, std::size_t length, std::size_t* start, GrexmoHit* hits,
                         std::size_t capacity);

    // The text of the hit found by the last successful Find() or FindIn(); "" for a
    // zero-length hit or when there was none, and after Count() or FindHits(). Valid until
    // the next Read() or search.
    const char* GetHitText() const;

    // Whether the last Read() compiled its pattern, and if not, why (English, ASCII).
    bool IsValid() const;
    const char* GetErrorText() const;

private:
    grexmo::Matcher* matcher_;
};

#endif
