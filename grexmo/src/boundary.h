// Character boundaries in a Shift_JIS text, decided from a boundary that is already known.
// Reading backwards is ambiguous in Shift_JIS, but only across bytes that can be lead bytes:
// a byte that cannot lead (ASCII, half-width kana, most trail values) always ends a
// character. So whether a position is a boundary follows from the parity of the run of
// lead-valued bytes just before it (they pair up as lead and trail from the run's start),
// and checking a far-off candidate costs only the length of that run, never a walk from the
// start of the text.
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
// length; reads no byte before known.pos or after `target`, nor the one at `target` when
// that is `length` (the text's end, which need not hold a zero).
Boundary NextBoundaryAtOrAfter(const unsigned char* text, Boundary known, std::size_t target,
                               std::size_t length = kNoPosition);

}  // namespace grexmo

#endif
