// What every hit must start with or contain, read off the pattern once, and the search for
// the next places where a hit can start: after a literal prefix, at a byte a hit can begin
// with, or before an occurrence of a literal every hit contains. Candidates are confirmed as
// character boundaries; the matcher still decides.
#ifndef GREXMO_START_FILTER_H
#define GREXMO_START_FILTER_H

#include "ast.h"
#include "boundary.h"
#include "literal_search.h"
#include "prog.h"

#include <cstddef>
#include <string>

namespace grexmo {

// Hits may start at the boundaries from `begin` up to `last`.
struct StartWindow {
    Boundary begin;
    std::size_t last = 0;
};

class StartFilter {
public:
    enum class Kind { kNone, kLiteral, kByteSet, kBytePrefixes, kRequiredLiteral };

    // `literal` receives the bytes every hit begins with, and `*isWholeLiteral` whether the
    // program is nothing but that literal (no anchors).
    static StartFilter Analyze(const Ast& ast, const Prog& prog, std::string* literal,
                               bool* isWholeLiteral);
    static StartFilter ForLiteral(const std::string& literal);

    Kind GetKind() const { return kind_; }

    // The first boundary at or after `from` where a hit can start, or false when there is
    // none before `length`. `from` must be a boundary. Not for RequiredLiteral.
    bool Next(const unsigned char* text, std::size_t length, Boundary from, Boundary* out) const;

    // The next window at or after the boundary `from` where hits can start; false when no
    // hit can start at or after `from`.
    bool NextWindow(const unsigned char* text, std::size_t length, Boundary from,
                    StartWindow* out) const;

private:
    Kind kind_ = Kind::kNone;
    LiteralFinder literal_;
    ByteSetFinder bytes_;
    BytePrefixSet prefixes_{};
    bool hitsStayOnOneLine_ = false;  // RequiredLiteral: no hit contains a line feed
};

}  // namespace grexmo

#endif
