// What every hit must start with, read off the compiled program, and the search for the next
// place where a hit can start: a literal prefix (memchr on its rarest byte) or the set of
// bytes a hit can begin with. Candidates are confirmed as character boundaries.
#ifndef GREXMO_START_FILTER_H
#define GREXMO_START_FILTER_H

#include "boundary.h"
#include "literal_search.h"
#include "prog.h"

#include <cstddef>
#include <string>

namespace grexmo {

class StartFilter {
public:
    enum class Kind { None, Literal, ByteSet };

    // Looks at the program's start. `literal` receives the bytes every hit begins with, and
    // `*isWholeLiteral` whether the program is nothing but that literal (no anchors).
    static StartFilter Analyze(const Prog& prog, std::string* literal, bool* isWholeLiteral);
    static StartFilter ForLiteral(const std::string& literal);

    Kind GetKind() const { return kind_; }

    // The first boundary at or after `from` where a hit can start, or false when there is
    // none before `length`. `from` must be a boundary.
    bool Next(const unsigned char* text, std::size_t length, Boundary from, Boundary* out) const;

private:
    Kind kind_ = Kind::None;
    LiteralFinder literal_;
    ByteSetFinder bytes_;
};

}  // namespace grexmo

#endif
