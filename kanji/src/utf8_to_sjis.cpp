#include <cstddef>

#include "kanji/kanji_convert.h"
#include "sjis_char.h"
#include "sjis_writer.h"
#include "utf8_char.h"

namespace quelbrix {

std::int32_t Utf8ToSjis(char* dest, const char* source, std::uint32_t capacity,
                        std::uint32_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    const auto* const end = s + length;
    if (length >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF) s += 3;
    const char* const stop = OutputStop(dest, capacity);
    char* out = dest;
    while (s != end && *s != 0) {
        if (*s < 0x80) {  // ASCII maps to itself
            if (stop - out <= 1) return -1;
            *out++ = static_cast<char>(*s++);
            continue;
        }
        const Utf8Char next = DecodeUtf8Char(s, end);
        s += next.length;
        if ((out = PutSjisCharBefore(out, stop, CodePointToSjis(next.codePoint))) == nullptr)
            return -1;
    }
    return FinishSjis(dest, out, stop);
}

}  // namespace quelbrix
