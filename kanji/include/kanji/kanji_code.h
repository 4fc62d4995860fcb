// Guessing the encoding of a file's text, so that the matcher can convert it to Shift_JIS.
#ifndef QUELBRIX_KANJI_CODE_H
#define QUELBRIX_KANJI_CODE_H

#include <cstdint>

namespace quelbrix {

// The detector's verdict. The values are bit groups: 0x100 JIS, 0x200 Shift_JIS, 0x400 EUC-JP,
// 0x800 the Unicode forms (low bits tell which), 0x1000 undecided, 0x2000 binary data.
enum KanjiCode : std::int32_t {
    KC_ASCII = 0,           // no multibyte evidence and not valid UTF-7
    KC_JIS = 0x100,         // a JIS X 0208 / JIS X 0213 designation escape was found
    KC_SJIS = 0x200,        // Shift_JIS pairs outnumber the others
    KC_EUC = 0x400,         // EUC-JP pairs outnumber the others
    KC_UNICODE = 0x800,     // UTF-16 little-endian
    KC_UTF8 = 0x801,        // UTF-8 three-byte sequences outnumber the others
    KC_UTF7 = 0x802,        // no multibyte evidence and valid UTF-7
    KC_UNDECIDED = 0x1000,  // fewer than 2 bytes, or a tie for the lead
    KC_BINARY = 0x2000,     // the text holds a zero byte
    // Never a verdict of DetectKanjiCode: the engine's name for text it read as UTF-16
    // big-endian, after the byte-order mark FE FF at its start.
    KC_UNICODE_BE = 0x803,
};

// Looks at every byte of `data` (`length` bytes) once and returns its verdict. The byte at
// data[length] must exist and be 0; nothing beyond it is read. Pure: no state, no allocation.
KanjiCode DetectKanjiCode(const char* data, std::int32_t length);

// Digit value of each 7-bit character in the Base64 alphabet of RFC 2045, -1 for the others.
extern const std::int8_t Base64ValueTable[128];

// "ASCII", "JIS", "SJIS", "EUC", "UNICODE", "UTF8", "UTF7", "UNDECIDED" or "BINARY";
// "UNICODE_BE" for the engine's big-endian UTF-16; "UNKNOWN" for any other value.
const char* KanjiCodeName(KanjiCode code);

}  // namespace quelbrix

#endif
