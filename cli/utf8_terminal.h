// The UTF-8 terminal mode of the command line: arguments typed in UTF-8 reach the engine as
// Shift_JIS, and the engine's Shift_JIS text (rows, messages, converted files) is printed as
// UTF-8. Without the mode, bytes pass through unchanged.
#ifndef QUELBRIX_CLI_UTF8_TERMINAL_H
#define QUELBRIX_CLI_UTF8_TERMINAL_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace quelbrix {

enum class TerminalChoice { kAuto, kUtf8, kBytes };

// Whether a locale's character set name is UTF-8 ("UTF-8", "utf8").
bool IsUtf8Codeset(const char* codeset);

// Whether to run in UTF-8 mode: as chosen, or on auto when the locale's character set is UTF-8
// and standard output is a terminal (a pipe or a file gets the bytes as they are).
bool UseUtf8(TerminalChoice choice, bool localeIsUtf8, bool outputIsTerminal);

// The character set of the user's locale (LC_CTYPE from the environment) is UTF-8; the
// program's own locale is left as it was.
bool UserLocaleIsUtf8();
bool StandardOutputIsTerminal();

class TerminalText {
public:
    explicit TerminalText(bool utf8) : utf8_(utf8) {}
    bool IsUtf8() const { return utf8_; }

    // An argument as the engine takes it (Shift_JIS). When it cannot be converted, says so on
    // stderr as "quelbrix COMMAND: WHAT ..." and returns false.
    bool ToEngine(const char* command, const char* what, const char* argument,
                  std::string& sjis) const;

    // Writes the engine's text to `out`, converted in UTF-8 mode; false when the write fails.
    bool Write(std::FILE* out, const char* sjis, std::size_t length) const;
    bool Write(std::FILE* out, const std::string& sjis) const {
        return Write(out, sjis.data(), sjis.size());
    }

private:
    bool utf8_;
};

}  // namespace quelbrix

#endif
