// Shift_JIS characters back to Unicode, for showing the engine's text on a UTF-8 terminal.
#ifndef QUELBRIX_CLI_SJIS_UNICODE_H
#define QUELBRIX_CLI_SJIS_UNICODE_H

#include <cstdint>

namespace quelbrix {

// The Unicode character (a UTF-16 code unit of the Basic Multilingual Plane) that converts to
// the Shift_JIS character `code` (a byte value, or lead * 256 + trail); 0 when none does.
// Bytes 0x00-0x7F are themselves. It is the engine's own Unicode table read backwards, so
// converting the result to Shift_JIS again gives `code` back.
std::uint16_t SjisCharToUnicode(std::uint16_t code);

}  // namespace quelbrix

#endif
