// The settings file as the end-to-end tests see it: the expected default text, edits of it,
// and the value of one key.
#pragma once

#include <string>

#include "golden_settings.h"

namespace e2e {

// The default settings file the program writes on its first start.
inline std::string Golden() {
    return std::string(reinterpret_cast<const char*>(kGoldenSettings), sizeof kGoldenSettings);
}

// `text` with the first `from` replaced by `to`.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// The value of key in section of an INI text (exact names, as the program writes them).
inline std::string IniValue(const std::string& text, const std::string& section,
                            const std::string& key) {
    std::size_t start = text.find("[" + section + "]\r\n");
    if (start == std::string::npos) return "<no section>";
    std::size_t end = text.find("\r\n[", start + 1);
    std::size_t line = text.find("\r\n" + key + "=", start);
    if (line == std::string::npos || line > end) return "<no key>";
    line += key.size() + 3;
    return text.substr(line, text.find("\r\n", line) - line);
}

// The fold boxes' three [main] lines as leaving writes them; a file that has no fold keys yet
// gets them behind its last [main] key.
inline std::string FoldKeys(bool ignoreCase, bool ignoreWidth, bool ignoreKana) {
    const auto line = [](const char* key, bool on) {
        return std::string(key) + (on ? "=1\r\n" : "=0\r\n");
    };
    return line("ignorecase", ignoreCase) + line("ignorewidth", ignoreWidth) +
           line("ignorekana", ignoreKana);
}

// `text` without the main window's placement, column widths and preview height, which the
// program writes on leaving and whose values depend on the screen.
inline std::string WithoutPlaceKeys(std::string text) {
    for (const char* key : {"\r\nplacement=", "\r\ncolumns=", "\r\npreview="}) {
        const std::size_t at = text.find(key);
        if (at == std::string::npos) continue;
        const std::size_t end = text.find("\r\n", at + 2);
        text.erase(at, end == std::string::npos ? std::string::npos : end - at);
    }
    return text;
}

}  // namespace e2e
