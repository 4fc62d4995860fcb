#include "utf8_terminal.h"

#include <cctype>
#include <clocale>

#include "shift_jis.h"
#include "sjis_char.h"
#include "sjis_unicode.h"
#include "utf8_char.h"

#ifdef _WIN32
#include <io.h>
#else
#include <langinfo.h>
#include <unistd.h>
#endif

namespace quelbrix {

namespace {

constexpr std::uint16_t kReplacementChar = 0xFFFD;

Utf8Char DecodeUtf8(const std::string& text, std::size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    return DecodeUtf8Char(bytes + at, bytes + text.size());
}

// The Shift_JIS code of a code point; kNoMapping past the Basic Multilingual Plane (and for
// U+0000, which no argument or file name holds).
SjisCode ToSjisCode(std::uint32_t codePoint) {
    if (codePoint == kNotUtf8 || codePoint > 0xFFFF) return kNoMapping;
    return UnicodeCharToSjis(static_cast<std::uint16_t>(codePoint));
}

void AppendSjis(std::string& out, SjisCode code) {
    char bytes[2];
    out.append(bytes, static_cast<std::size_t>(PutSjisChar(bytes, code)));
}

void AppendUtf8(std::string& out, std::uint32_t unit) {
    if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else if (unit < 0x800) {
        out += static_cast<char>(0xC0 | unit >> 6);
        out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | unit >> 12);
        out += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

}  // namespace

bool Utf8ToSjis(const std::string& utf8, std::string& sjis, Utf8Problem& problem) {
    sjis.clear();
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char c = DecodeUtf8(utf8, at);
        const SjisCode code = ToSjisCode(c.codePoint);
        if (code == kNoMapping) {
            problem = {at, c.codePoint, c.length};
            return false;
        }
        AppendSjis(sjis, code);
        at += c.length;
    }
    return true;
}

bool Utf8ToSjisLossy(const std::string& utf8, std::string& sjis) {
    sjis.clear();
    bool whole = true;
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Char c = DecodeUtf8(utf8, at);
        const SjisCode code = ToSjisCode(c.codePoint);
        whole = whole && code != kNoMapping;
        AppendSjis(sjis, code);  // '?' for kNoMapping
        at += c.length;
    }
    return whole;
}

std::string SjisToUtf8(const char* sjis, std::size_t length) {
    std::string out;
    out.reserve(length + length / 2);
    const char* const end = sjis + length;
    for (const char* p = sjis; p < end;) {
        const std::size_t size = sjis::CharLengthIn(p, end);
        const auto first = static_cast<unsigned char>(p[0]);
        const std::uint16_t code =
            size == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(p[1]))
                      : first;
        const std::uint16_t unit =
            size == 1 && sjis::IsLeadByte(first) ? 0 : SjisCharToUnicode(code);
        AppendUtf8(out, unit != 0 || code == 0 ? unit : kReplacementChar);
        p += size;
    }
    return out;
}

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
