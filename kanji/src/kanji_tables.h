// The two constant tables behind UnicodeCharToSjis and Jisx0212CharToSjis. Both are generated
// by tools/kanji/make_kanji_tables.py; look characters up through sjis_char.h, not here.
#ifndef QUELBRIX_KANJI_TABLES_H
#define QUELBRIX_KANJI_TABLES_H

#include <cstddef>
#include <cstdint>

namespace quelbrix {

// Indexed by the high byte of a UTF-16 code unit; each entry is null (no unit of that high
// byte has a mapping) or a page of 256 output codes indexed by the low byte.
extern const std::uint16_t* const UnicodePageTable[256];

// JIS X 0212 rows 0x31..0x6D by cells 0x21..0x7E: index (row - 0x31) * 94 + (cell - 0x21).
constexpr unsigned kJisx0212FirstRow = 0x31;
constexpr unsigned kJisx0212LastRow = 0x6D;
constexpr unsigned kJisx0212FirstCell = 0x21;
constexpr unsigned kJisx0212LastCell = 0x7E;
constexpr std::size_t kJisx0212CellsPerRow = kJisx0212LastCell - kJisx0212FirstCell + 1;
constexpr std::size_t kJisx0212TableSize =
    (kJisx0212LastRow - kJisx0212FirstRow + 1) * kJisx0212CellsPerRow;
extern const std::uint16_t Jisx0212Table[kJisx0212TableSize];

}  // namespace quelbrix

#endif
