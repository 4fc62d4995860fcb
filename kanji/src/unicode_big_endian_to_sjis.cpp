// UTF-16 big-endian text to Shift_JIS through the little-endian converter: the units are
// swapped a block at a time into a small buffer of its own, so converting a large file needs
// no second copy of it.
#include <cstddef>

#include "kanji/kanji_convert.h"

namespace quelbrix {
namespace {

constexpr std::uint32_t kBlockBytes = 8192;  // even: a block holds whole units

}  // namespace

std::int32_t UnicodeBigEndianToSjis(char* dest, const char* source, std::uint32_t capacity,
                                    std::uint32_t length) {
    char block[kBlockBytes];
    const std::uint32_t unitBytes = length & ~1u;  // an odd last byte is half a unit: dropped
    if (unitBytes == 0) return UnicodeToSjis(dest, source, capacity, 0);

    std::uint32_t written = 0;
    for (std::uint32_t at = 0; at < unitBytes;) {
        const std::uint32_t take = unitBytes - at < kBlockBytes ? unitBytes - at : kBlockBytes;
        std::uint32_t swapped = 0;
        bool zeroUnit = false;
        for (; swapped < take; swapped += 2) {
            const char high = source[at + swapped];
            const char low = source[at + swapped + 1];
            if (high == 0 && low == 0) {
                zeroUnit = true;
                break;
            }
            block[swapped] = low;
            block[swapped + 1] = high;
        }
        // Each block is written over the terminating 0 of the one before; what it is given as
        // capacity keeps the whole output below `capacity`, as one call would.
        const std::int32_t n = UnicodeToSjis(dest + written, block, capacity - written, swapped);
        if (n < 0) return -1;
        written += static_cast<std::uint32_t>(n);
        if (zeroUnit) break;
        at += take;
    }
    return static_cast<std::int32_t>(written);
}

}  // namespace quelbrix
