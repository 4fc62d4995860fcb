// Path and text helpers for Shift_JIS strings (code page 932), stepping by the character model
// of shift_jis.h: every scan here walks forward over whole characters, so a second byte that
// equals '\\' (0x5C, as in 表) is never taken for a separator.
#pragma once

#include <cstddef>
#include <string>

#include "common/bounded_copy.h"
#include "common/shift_jis.h"

namespace quelbrix {

constexpr bool IsSjisLeadByte(unsigned char byte) { return sjis::IsLeadByte(byte); }

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

// Equal without regard to ASCII letter case, as the settings file compares its names and the
// file system its paths; the second byte of a double-byte character is compared as it is.
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b);

}  // namespace quelbrix
