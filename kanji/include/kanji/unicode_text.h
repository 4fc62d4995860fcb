// Text between Unicode and Shift_JIS, by the converters' own Unicode table: UTF-8 typed by a
// user to Shift_JIS for the engine, and the engine's Shift_JIS back to UTF-8 for a terminal.
#ifndef QUELBRIX_KANJI_UNICODE_TEXT_H
#define QUELBRIX_KANJI_UNICODE_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace quelbrix {

// Where UTF-8 text stops converting: at `offset` (bytes), a character with no Shift_JIS
// form (`codePoint`), or bytes that are not UTF-8 (`codePoint` is kNotUtf8).
struct Utf8Problem {
    std::size_t offset = 0;
    std::uint32_t codePoint = 0;
    std::size_t length = 0;  // bytes of the character, 1 for bytes that are not UTF-8
};
constexpr std::uint32_t kNotUtf8 = 0xFFFFFFFFu;

// UTF-8 to Shift_JIS; false at the first character that cannot be converted. Overlong forms,
// surrogates and sequences cut short are not UTF-8.
bool Utf8ToSjis(const std::string& utf8, std::string& sjis, Utf8Problem& problem);

// The same, with '?' for every character that cannot be converted (and for each byte that is
// not UTF-8); false when there was one.
bool Utf8ToSjisLossy(const std::string& utf8, std::string& sjis);

// Shift_JIS to UTF-8; a lone lead byte or a character with no Unicode form becomes U+FFFD.
std::string SjisToUtf8(const char* sjis, std::size_t length);

// The same, appended to `utf8`; false when a U+FFFD stood in for something, so that the
// text does not convert back to these bytes.
bool AppendSjisAsUtf8(const char* sjis, std::size_t length, std::string& utf8);

// Whether the bytes are UTF-8 throughout, by the same strict reading as Utf8ToSjis.
bool IsUtf8(const char* text, std::size_t length);

// The Unicode character (a UTF-16 code unit of the Basic Multilingual Plane) that converts to
// the Shift_JIS character `code` (a byte value, or lead * 256 + trail); 0 when none does.
// Bytes 0x00-0x7F are themselves. It is the Unicode table read backwards, so converting the
// result to Shift_JIS again gives `code` back.
std::uint16_t SjisCharToUnicode(std::uint16_t code);

}  // namespace quelbrix

#endif
