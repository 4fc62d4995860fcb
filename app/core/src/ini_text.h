// Reading and editing the text of a Windows-style INI file held in memory.
// Section and key names match without regard to ASCII letter case; the trail byte of a
// double-byte Shift_JIS character is never folded. Lines end in CR LF (a bare LF is read too).
// Before its first section header a file holds no keys.
#pragma once

#include <string>

namespace quelbrix {

// Finds `key` in the first section called `section`. The value is the rest of the line after
// the first "=", unchanged, so whatever SetIniValue wrote reads back byte for byte.
bool FindIniValue(const std::string& text, const std::string& section, const std::string& key,
                  std::string& value);

// Returns `text` with `key` of `section` set to `value`: an existing key's value is replaced in
// its line; a missing key is added after the last non-blank line of the first such section; a
// missing section is added at the end. Every other byte of the text stays as it was. A value is
// cut at its first CR or LF, which would otherwise start a line of its own.
std::string SetIniValue(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value);

// ASCII-case-insensitive equality over Shift_JIS text.
bool SameIniName(const std::string& a, const std::string& b);

}  // namespace quelbrix
