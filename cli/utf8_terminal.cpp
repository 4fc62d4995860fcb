#include "utf8_terminal.h"

#include <cctype>
#include <clocale>

#include "kanji/unicode_text.h"

#ifdef _WIN32
#include <io.h>
#else
#include <langinfo.h>
#include <unistd.h>
#endif

namespace quelbrix {

bool IsUtf8Codeset(const char* codeset) {
    if (codeset == nullptr) return false;
    std::string name;
    for (const char* p = codeset; *p != '\0'; ++p) {
        if (*p != '-' && *p != '_')
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    }
    return name == "utf8";
}

bool UseUtf8(TerminalChoice choice, bool localeIsUtf8, bool outputIsTerminal) {
    if (choice != TerminalChoice::kAuto) return choice == TerminalChoice::kUtf8;
    return localeIsUtf8 && outputIsTerminal;
}

#ifdef _WIN32
// A Windows console passes the arguments in the ANSI code page; the mode is only ever chosen.
bool UserLocaleIsUtf8() { return false; }
bool StandardOutputIsTerminal() { return _isatty(_fileno(stdout)) != 0; }
#else
bool UserLocaleIsUtf8() {
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    const bool utf8 =
        std::setlocale(LC_CTYPE, "") != nullptr && IsUtf8Codeset(nl_langinfo(CODESET));
    // Byte tests elsewhere (isalpha, toupper) keep the locale they were written for.
    std::setlocale(LC_CTYPE, saved.c_str());
    return utf8;
}
bool StandardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }
#endif

bool TerminalText::ToEngine(const char* command, const char* what, const char* argument,
                            std::string& sjis) const {
    if (!utf8_) {
        sjis = argument;
        return true;
    }
    const std::string utf8 = argument;
    Utf8Problem problem;
    if (Utf8ToSjis(utf8, sjis, problem)) return true;
    if (problem.codePoint == kNotUtf8) {
        std::fprintf(stderr,
                     "quelbrix %s: %s is not UTF-8 (byte %zu); --no-utf8 passes bytes unchanged\n",
                     command, what, problem.offset + 1);
    } else {
        std::fprintf(stderr, "quelbrix %s: %s holds \"%s\" (U+%04X), which has no Shift_JIS form\n",
                     command, what, utf8.substr(problem.offset, problem.length).c_str(),
                     static_cast<unsigned>(problem.codePoint));
    }
    return false;
}

bool TerminalText::Write(std::FILE* out, const char* sjis, std::size_t length) const {
    if (!utf8_) return std::fwrite(sjis, 1, length, out) == length;
    const std::string text = SjisToUtf8(sjis, length);
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

}  // namespace quelbrix
