// Texts built in fixed buffers: never overrun, and when cut, never cut inside a double-byte
// character.
#ifndef QUELBRIX_BOUNDED_TEXT_H
#define QUELBRIX_BOUNDED_TEXT_H

#include <cstddef>

#include "common/bounded_copy.h"

namespace quelbrix {

// printf into `target`, cut at a character boundary when the result does not fit.
// Returns false when it was cut.
bool FormatBounded(char* target, std::size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Same, for formats loaded at run time (the string table): the caller vouches that the
// format's conversions match the arguments.
bool FormatLoaded(char* target, std::size_t size, const char* format, ...);

// Shortens the zero-terminated `text` so that no double-byte character is left without its
// second byte at the end.
void DropSplitCharacter(char* text);

}  // namespace quelbrix

#endif
