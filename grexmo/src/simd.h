// Which vector instructions the scans may use, chosen once for every file that scans: SSE2
// wherever the compiler targets it (every x86-64), else the plain loops.
#ifndef GREXMO_SIMD_H
#define GREXMO_SIMD_H

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define GREXMO_HAVE_SSE2 1
#endif

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace grexmo {

// The index of the lowest set bit of a mask that is not zero (a movemask's first hit).
inline unsigned LowestBit(unsigned mask) {
#if defined(_MSC_VER)
    unsigned long index;
    _BitScanForward(&index, mask);
    return index;
#else
    return static_cast<unsigned>(__builtin_ctz(mask));
#endif
}

}  // namespace grexmo

#endif
