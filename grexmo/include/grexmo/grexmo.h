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
class GREXMO_API CGrexmo {
public:
    CGrexmo();
    virtual ~CGrexmo();
    CGrexmo(const CGrexmo&) = delete;
    CGrexmo& operator=(const CGrexmo&) = delete;

    // Compiles `pattern`; with isRegex false every byte of it stands for itself.
    void Read(const char* pattern, bool isRegex);

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
