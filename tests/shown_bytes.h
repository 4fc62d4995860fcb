// Bytes shown readably in a failure message, for the tests and the fuzz checks alike.
#ifndef QUELBRIX_TESTS_SHOWN_BYTES_H
#define QUELBRIX_TESTS_SHOWN_BYTES_H

#include <cstdio>
#include <string>

namespace quelbrix_test_text {

// Printable ASCII as it is, the rest (and the backslash, which may be half of a character)
// as \xHH.
inline std::string Shown(const std::string& s) {
    std::string out;
    for (unsigned char b : s) {
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += static_cast<char>(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

}  // namespace quelbrix_test_text

#endif
