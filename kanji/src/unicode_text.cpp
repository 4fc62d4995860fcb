#include "kanji/unicode_text.h"

#include "common/shift_jis.h"
#include "sjis_char.h"
#include "utf8_char.h"

namespace quelbrix {

namespace {

constexpr std::uint16_t kReplacementChar = 0xFFFD;
static_assert(kNotUtf8 == kNotUtf8Char, "one mark for bytes that are not UTF-8");

Utf8Char DecodeUtf8(const std::string& text, std::size_t at) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    return DecodeUtf8Char(bytes + at, bytes + text.size());
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
        const SjisCode code = CodePointToSjis(c.codePoint);
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
        const SjisCode code = CodePointToSjis(c.codePoint);
        whole = whole && code != kNoMapping;
        AppendSjis(sjis, code);  // '?' for kNoMapping
        at += c.length;
    }
    return whole;
}

std::string SjisToUtf8(const char* sjis, std::size_t length) {
    std::string out;
    AppendSjisAsUtf8(sjis, length, out);
    return out;
}

bool AppendSjisAsUtf8(const char* sjis, std::size_t length, std::string& out) {
    out.reserve(out.size() + length + length / 2);
    bool whole = true;
    const char* const end = sjis + length;
    for (const char* p = sjis; p < end;) {
        const std::size_t size = sjis::CharLengthIn(p, end);
        const auto first = static_cast<unsigned char>(p[0]);
        const std::uint16_t code =
            size == 2 ? static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(p[1]))
                      : first;
        const std::uint16_t unit =
            size == 1 && sjis::IsLeadByte(first) ? 0 : SjisCharToUnicode(code);
        const bool mapped = unit != 0 || code == 0;
        whole = whole && mapped;
        AppendUtf8(out, mapped ? unit : kReplacementChar);
        p += size;
    }
    return whole;
}

bool IsUtf8(const char* text, std::size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t at = 0; at < length;) {
        const Utf8Char c = DecodeUtf8Char(bytes + at, bytes + length);
        if (c.codePoint == kNotUtf8Char) return false;
        at += c.length;
    }
    return true;
}

}  // namespace quelbrix
