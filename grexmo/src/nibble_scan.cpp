#include "nibble_scan.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <tmmintrin.h>
#define GREXMO_HAVE_SSSE3_TARGET 1
#endif

namespace grexmo {

void AddToNibbleMasks(NibbleMasks* masks, int slot, int bucket, unsigned char b) {
    const auto bit = static_cast<unsigned char>(1u << bucket);
    masks->lo[slot][b & 0x0F] |= bit;
    masks->hi[slot][b >> 4] |= bit;
}

#if defined(GREXMO_HAVE_SSSE3_TARGET)

bool NibbleScanAvailable() {
    static const bool available = __builtin_cpu_supports("ssse3");
    return available;
}

namespace {

__attribute__((target("ssse3"))) inline __m128i Buckets(const unsigned char* p, __m128i lo,
                                                       __m128i hi, __m128i low4) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i l = _mm_shuffle_epi8(lo, _mm_and_si128(bytes, low4));
    const __m128i h = _mm_shuffle_epi8(hi, _mm_and_si128(_mm_srli_epi16(bytes, 4), low4));
    return _mm_and_si128(l, h);
}

}  // namespace

__attribute__((target("ssse3"))) std::size_t ScanNibbleBlocks(const unsigned char* text,
                                                              std::size_t from, std::size_t end,
                                                              const NibbleMasks& masks,
                                                              unsigned* hits,
                                                              unsigned char (&buckets)[16]) {
    *hits = 0;
    const __m128i low4 = _mm_set1_epi8(0x0F);
    __m128i lo[NibbleMasks::kDistances], hi[NibbleMasks::kDistances];
    std::size_t distance[NibbleMasks::kDistances];
    std::size_t reach = 16;
    for (int d = 0; d < NibbleMasks::kDistances; ++d) {
        const int slot = d < masks.count ? d : masks.count - 1;
        lo[d] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(masks.lo[slot]));
        hi[d] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(masks.hi[slot]));
        distance[d] = masks.distance[slot];
        if (16 + distance[d] > reach) reach = 16 + distance[d];
    }
    const __m128i zero = _mm_setzero_si128();
    std::size_t i = from;
    for (; i < end && end - i >= reach; i += 16) {
        __m128i passed = Buckets(text + i + distance[0], lo[0], hi[0], low4);
        passed = _mm_and_si128(passed, Buckets(text + i + distance[1], lo[1], hi[1], low4));
        passed = _mm_and_si128(passed, Buckets(text + i + distance[2], lo[2], hi[2], low4));
        const unsigned none = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(passed, zero)));
        if (none != 0xFFFFu) {
            *hits = ~none & 0xFFFFu;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(buckets), passed);
            return i;
        }
    }
    return i;
}

#else

bool NibbleScanAvailable() { return false; }

std::size_t ScanNibbleBlocks(const unsigned char*, std::size_t from, std::size_t,
                             const NibbleMasks&, unsigned* hits, unsigned char (&)[16]) {
    *hits = 0;
    return from;
}

#endif

}  // namespace grexmo
