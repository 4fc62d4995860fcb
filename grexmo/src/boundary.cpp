#include "boundary.h"

#include "sjis.h"

namespace grexmo {

Boundary NextBoundaryAtOrAfter(const unsigned char* text, Boundary known, std::size_t target) {
    std::size_t from = target;
    while (from > known.pos && !IsResyncByte(text[from - 1])) --from;
    Boundary b = from == known.pos ? known : Boundary{from, from - 1};
    while (b.pos < target) {
        b.prev = b.pos;
        b.pos += DecodeChar(text + b.pos).length;
    }
    return b;
}

}  // namespace grexmo
