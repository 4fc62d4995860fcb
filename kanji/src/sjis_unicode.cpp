#include "kanji/unicode_text.h"

#include <vector>

#include "sjis_char.h"

namespace quelbrix {

namespace {

// Where several code units share one Shift_JIS character, the lowest is taken (the
// backslash before the yen sign, U+00A2 before U+FFE0), except for this one: 0x83CA stands in
// the Greek row, so it reads back as the Greek letter mu, not the micro sign.
struct Preferred {
    SjisCode code;
    std::uint16_t unit;
};
const Preferred kPreferred[] = {{0x83CA, 0x03BC}};

std::vector<std::uint16_t> InvertUnicodeTable() {
    std::vector<std::uint16_t> table(0x10000, 0);
    for (unsigned unit = 0xFFFF; unit >= 1; --unit) {
        const SjisCode code = UnicodeCharToSjis(static_cast<std::uint16_t>(unit));
        if (code != kNoMapping) table[code] = static_cast<std::uint16_t>(unit);
    }
    for (unsigned byte = 0; byte < 0x80; ++byte) table[byte] = static_cast<std::uint16_t>(byte);
    for (const Preferred& p : kPreferred) table[p.code] = p.unit;
    return table;
}

}  // namespace

std::uint16_t SjisCharToUnicode(std::uint16_t code) {
    static const std::vector<std::uint16_t> table = InvertUnicodeTable();
    return table[code];
}

}  // namespace quelbrix
