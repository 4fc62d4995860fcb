// The output side of a converter: writes characters while keeping the output proper below the
// capacity, so that the terminating 0 always fits.
//
// The converters keep the write position in a local variable and hand it to these functions,
// rather than holding it in an object, so that it stays in a register while bytes are stored.
#ifndef QUELBRIX_SJIS_WRITER_H
#define QUELBRIX_SJIS_WRITER_H

#include <cstddef>
#include <cstdint>
#include <limits>

#include "sjis_char.h"

namespace quelbrix {

// One past the last byte the output proper may use. The count must also fit the converters'
// 32-bit result, hence the clamp.
inline char* OutputStop(char* dest, std::uint32_t capacity) {
    constexpr std::uint32_t kMax =
        static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    return dest + (capacity < kMax ? capacity : kMax);
}

// Writes `code` at `out` when the output then stays below `stop`; the new write position, or
// null (nothing written) when it would not.
inline char* PutSjisCharBefore(char* out, const char* stop, SjisCode code) {
    if (stop - out <= SjisCharSize(code)) return nullptr;
    return out + PutSjisChar(out, code);
}

// Terminates the output; the byte count, or -1 when not even the terminator fits.
inline std::int32_t FinishSjis(const char* dest, char* out, const char* stop) {
    if (out >= stop) return -1;
    *out = '\0';
    return static_cast<std::int32_t>(out - dest);
}

}  // namespace quelbrix

#endif
