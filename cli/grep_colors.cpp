#include "grep_colors.h"

#include <cstring>

namespace quelbrix {

bool UseColor(ColorChoice choice, bool outputIsTerminal, const char* term) {
    if (choice != ColorChoice::kAuto) return choice == ColorChoice::kAlways;
    return outputIsTerminal && term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

void AppendPainted(std::string& out, const char* text, std::size_t length, Paint paint,
                   bool color) {
    if (!color) {
        out.append(text, length);
        return;
    }
    static const char* const kStarts[] = {"\x1B[35m\x1B[K", "\x1B[32m\x1B[K", "\x1B[36m\x1B[K",
                                          "\x1B[01;31m\x1B[K"};
    out += kStarts[static_cast<int>(paint)];
    out.append(text, length);
    out += "\x1B[m\x1B[K";
}

}  // namespace quelbrix
