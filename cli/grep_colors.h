// The colours of the line forms, with the escape sequences and defaults of grep's colouring,
// so that a terminal set up for one shows the other alike.
#ifndef QUELBRIX_CLI_GREP_COLORS_H
#define QUELBRIX_CLI_GREP_COLORS_H

#include <cstddef>
#include <string>

namespace quelbrix {

enum class ColorChoice { kAuto, kAlways, kNever };

// On auto: only for a terminal, and not for one that says it is "dumb" or says nothing.
bool UseColor(ColorChoice choice, bool outputIsTerminal, const char* term);

enum class Paint {
    kPath,        // 35, magenta
    kLineNumber,  // 32, green
    kSeparator,   // 36, cyan: ':' '-' and "--"
    kHit,         // 01;31, bold red
};

// The text, between ESC[<colour>mESC[K and ESC[mESC[K when `color`; as it is otherwise.
void AppendPainted(std::string& out, const char* text, std::size_t length, Paint paint, bool color);
inline void AppendPainted(std::string& out, const std::string& text, Paint paint, bool color) {
    AppendPainted(out, text.data(), text.size(), paint, color);
}

}  // namespace quelbrix

#endif
