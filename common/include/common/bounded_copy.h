// Copies into fixed-size buffers: never past the buffer, and a cut text ends on a character
// boundary, so no half of a double-byte character is left at its end.
#ifndef QUELBRIX_BOUNDED_COPY_H
#define QUELBRIX_BOUNDED_COPY_H

#include <cstddef>
#include <cstring>
#include <string>

#include "common/shift_jis.h"

namespace quelbrix {

// Copies the `length` bytes at `source` and a terminator into the `size` bytes at `target`,
// cut when they do not fit. Returns false when the text was cut (or `size` is 0).
inline bool CopyBounded(char* target, std::size_t size, const char* source, std::size_t length) {
    if (size == 0) return false;
    const std::size_t kept = length < size ? length : sjis::FittingPrefix(source, length, size - 1);
    std::memcpy(target, source, kept);
    target[kept] = '\0';
    return kept == length;
}

inline bool CopyBounded(char* target, std::size_t size, const char* source) {
    return CopyBounded(target, size, source, std::strlen(source));
}

inline bool CopyBounded(char* target, std::size_t size, const std::string& source) {
    return CopyBounded(target, size, source.data(), source.size());
}

}  // namespace quelbrix

#endif
