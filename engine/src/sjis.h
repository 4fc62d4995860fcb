// Shift_JIS character boundaries.
#ifndef QUELBRIX_SJIS_H
#define QUELBRIX_SJIS_H

#include <cstddef>

namespace quelbrix {

inline bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes taken by the character at `text` (1 or 2); a lead byte before the terminator counts
// alone so a scan never steps past the end.
inline std::size_t SjisCharLength(const char* text) {
    return IsSjisLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

}  // namespace quelbrix

#endif
