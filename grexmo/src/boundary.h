// Character boundaries in a Shift_JIS text, found by scanning forward from a boundary that
// is already known. Going backwards is ambiguous in Shift_JIS, except across a byte below
// 0x40, which is never a trail byte: the walk starts after the last such byte before the
// target (or at the known boundary), so checking a far-off candidate costs only the bytes
// since the last space, digit or line break.
#ifndef GREXMO_BOUNDARY_H
#define GREXMO_BOUNDARY_H

#include <cstddef>
#include <cstdint>

namespace grexmo {

constexpr std::size_t kNoPosition = SIZE_MAX;

// A character boundary and the start of the character before it (kNoPosition at the start
// of the text).
struct Boundary {
    std::size_t pos = 0;
    std::size_t prev = kNoPosition;
};

// The first boundary at or after `target`. Requires known.pos <= target <= the text's
// length; reads only bytes before `target` and the one at it.
Boundary NextBoundaryAtOrAfter(const unsigned char* text, Boundary known, std::size_t target);

}  // namespace grexmo

#endif
