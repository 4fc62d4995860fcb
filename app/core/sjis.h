// Byte-level helpers for Shift_JIS text (code page 932).
// A double-byte character is a lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it; the
// second byte may equal '\\' (0x5C), so every scan here walks forward over whole characters.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

constexpr bool IsSjisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True when the last character of `text` is a backslash (a 0x5C that ends a double-byte
// character does not count).
bool EndsWithBackslash(const std::string& text);

// The drive and folder part of `path`: everything up to and including its last "\" or "/".
// Empty when the path holds no separator.
std::string FolderPartOf(const std::string& path);

// The longest prefix of `text` of at most `maxBytes` bytes that does not end inside a
// double-byte character.
std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes);

// `text` with its last character removed (both bytes of a double-byte character).
std::string DropLastChar(const std::string& text);

}  // namespace quelbrix
