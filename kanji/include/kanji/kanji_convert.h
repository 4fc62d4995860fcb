// Converters from ISO-2022-JP, EUC-JP, UTF-16 (either byte order) and UTF-8 text to Shift_JIS
// (with the JIS X 0213 extension: plane-2 characters get first bytes 0xF0..0xFC). A character
// without a Shift_JIS form becomes '?'.
//
// Each converter makes one forward pass from `source` into `dest` and returns the number of
// bytes written, not counting the terminating 0 it always adds, or -1 when the output does not
// fit: the output proper must stay below `capacity` so that the 0 fits too (a capacity of 0
// never fits). After -1 the content of `dest` is of no use. A character cut short by the end of
// the source writes nothing (UTF-8 writes '?' for it), and nothing past the source's
// terminating 0 is read.
#ifndef QUELBRIX_KANJI_CONVERT_H
#define QUELBRIX_KANJI_CONVERT_H

#include <cstdint>

namespace quelbrix {

// `source` is zero-terminated ISO-2022-JP. The state starts as ASCII; the designations of
// JIS X 0208, JIS X 0213 planes 1 and 2, JIS X 0212, ASCII, JIS Roman and kana, and SO/SI
// between JIS Roman and kana, switch it and write nothing.
std::int32_t JisToSjis(char* dest, const char* source, std::uint32_t capacity);

// The same, told the length of the data before the terminating 0 (source[length] is that 0):
// the conversion runs to that length, and a zero byte inside the data is taken like any other
// byte (copied, or read as the second byte of a pair); only the 0 after the data cuts a
// character short. Stretches of double-byte characters may be read in blocks.
std::int32_t JisToSjis(char* dest, const char* source, std::uint32_t capacity,
                       std::uint32_t length);

// `source` is zero-terminated EUC-JP, with single shifts 0x8E (half-width kana) and 0x8F
// (JIS X 0212, and JIS X 0213 plane 2 for the rows JIS X 0212 leaves free).
std::int32_t EucToSjis(char* dest, const char* source, std::uint32_t capacity);

// The same, told the length of the data before the terminating 0, as for JisToSjis.
std::int32_t EucToSjis(char* dest, const char* source, std::uint32_t capacity,
                       std::uint32_t length);

// `source` holds `length` bytes of UTF-16 little-endian code units. The conversion ends at the
// first 0 unit or at the end of the data; an odd final byte is a unit with a zero high byte.
// A byte-order mark and each half of a surrogate pair become '?'.
std::int32_t UnicodeToSjis(char* dest, const char* source, std::uint32_t capacity,
                           std::uint32_t length);

// `source` holds `length` bytes of UTF-16 big-endian code units: the same text UnicodeToSjis
// gives for the units with their bytes swapped (a byte-order mark, FE FF here, becomes '?'
// just as FF FE does there). The conversion ends at the first 0 unit or at the end of the data;
// an odd final byte is half a unit cut short and writes nothing.
std::int32_t UnicodeBigEndianToSjis(char* dest, const char* source, std::uint32_t capacity,
                                    std::uint32_t length);

// `source` holds `length` bytes of UTF-8. Each code point up to U+FFFF goes through the same
// table as a UTF-16 unit; a code point above U+FFFF becomes one '?', and so does each malformed
// part (an overlong form, a surrogate, a stray continuation byte, a sequence cut short by
// another byte or by the end of the data). A byte-order mark at the start is dropped. The
// conversion ends at the first 0 byte or at the end of the data; the output is never longer
// than the data.
std::int32_t Utf8ToSjis(char* dest, const char* source, std::uint32_t capacity,
                        std::uint32_t length);

}  // namespace quelbrix

#endif
