#include "boundary.h"

#include "char_code.h"

namespace grexmo {
namespace {

// How many lead-valued bytes stand right before `pos`, looking no further back than `floor`
// (a boundary). The run starts at a boundary either way: at `floor`, or after a byte that
// cannot be a lead and so ends a character.
std::size_t LeadRunBefore(const unsigned char* text, std::size_t floor, std::size_t pos) {
    std::size_t p = pos;
    while (p > floor && IsLeadByte(text[p - 1])) --p;
    return pos - p;
}

}  // namespace

Boundary NextBoundaryAtOrAfter(const unsigned char* text, Boundary known, std::size_t target,
                               std::size_t length) {
    if (target <= known.pos) return known;
    const std::size_t run = LeadRunBefore(text, known.pos, target);
    if (run % 2 == 1) {
        // text[target - 1] starts a character: a pair with the byte at target, or alone.
        if (target < length && IsTrailByte(text[target])) return {target + 1, target - 1};
        return {target, target - 1};
    }
    if (run >= 2) return {target, target - 2};
    // The byte before `target` is no lead byte and ends a character, of one byte or two.
    const std::size_t last = target - 1;
    if (last == known.pos) return {target, last};
    if (LeadRunBefore(text, known.pos, last) % 2 == 1 && IsTrailByte(text[last]))
        return {target, last - 1};
    return {target, last};
}

}  // namespace grexmo
