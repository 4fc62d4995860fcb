// Where a converter's source ends. Told the data's length, a converter runs to it and takes a
// zero byte inside the data like any other byte; otherwise the first zero ends the source.
// Either way a character is cut short only by the zero that follows the data.
#ifndef QUELBRIX_SOURCE_END_H
#define QUELBRIX_SOURCE_END_H

namespace quelbrix {

// Which of the two a converter loop asks is fixed when the loop is compiled, so that the test
// for the end costs one comparison per character.
template <bool kLengthKnown>
struct SourceEnd {
    const unsigned char* end;  // the terminating zero; unused when the length is not known
    bool At(const unsigned char* p) const {
        if constexpr (kLengthKnown) return p >= end;
        return *p == 0;
    }
};

// Copies a zero byte of the data; the new write position, or null when it does not fit below
// `stop` together with the terminator.
inline char* PutZeroByteBefore(char* out, const char* stop) {
    if (stop - out <= 1) return nullptr;
    *out = '\0';
    return out + 1;
}

}  // namespace quelbrix

#endif
