#include "json_text.h"

namespace quelbrix {

void AppendJsonString(std::string& out, const char* utf8, std::size_t length) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void AppendBase64(std::string& out, const char* bytes, std::size_t length) {
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const auto* u = reinterpret_cast<const unsigned char*>(bytes);
    std::size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        const unsigned group = u[i] << 16 | u[i + 1] << 8 | u[i + 2];
        out += kDigits[group >> 18];
        out += kDigits[group >> 12 & 0x3F];
        out += kDigits[group >> 6 & 0x3F];
        out += kDigits[group & 0x3F];
    }
    const std::size_t left = length - i;
    if (left == 0) return;
    const unsigned group = u[i] << 16 | (left == 2 ? u[i + 1] << 8 : 0);
    out += kDigits[group >> 18];
    out += kDigits[group >> 12 & 0x3F];
    out += left == 2 ? kDigits[group >> 6 & 0x3F] : '=';
    out += '=';
}

void AppendJsonText(std::string& out, const char* utf8, std::size_t length) {
    out += "{\"text\":";
    AppendJsonString(out, utf8, length);
    out += '}';
}

void AppendJsonBytes(std::string& out, const char* bytes, std::size_t length) {
    out += "{\"bytes\":\"";
    AppendBase64(out, bytes, length);
    out += "\"}";
}

}  // namespace quelbrix
