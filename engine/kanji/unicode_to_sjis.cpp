#include <cstddef>

#include "kanji_convert.h"
#include "sjis_char.h"
#include "sjis_writer.h"

namespace quelbrix {

std::int32_t UnicodeToSjis(char* dest, const char* source, std::uint32_t capacity,
                           std::uint32_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    const char* const stop = OutputStop(dest, capacity);
    char* out = dest;
    const std::size_t units = length / 2;
    for (std::size_t i = 0; i < units; ++i, s += 2) {
        const auto unit = static_cast<std::uint16_t>(s[0] | s[1] << 8);
        if (unit == 0) return FinishSjis(dest, out, stop);
        if ((out = PutSjisCharBefore(out, stop, UnicodeCharToSjis(unit))) == nullptr) return -1;
    }
    if (length % 2 != 0 && s[0] != 0) {
        if ((out = PutSjisCharBefore(out, stop, UnicodeCharToSjis(s[0]))) == nullptr) return -1;
    }
    return FinishSjis(dest, out, stop);
}

}  // namespace quelbrix
