#include "engine/bounded_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "common/shift_jis.h"

namespace quelbrix {

void DropSplitCharacter(char* text) {
    char* p = text;
    while (*p != '\0') {
        if (sjis::IsLeadByte(static_cast<unsigned char>(*p)) && p[1] == '\0') {
            *p = '\0';
            return;
        }
        p += sjis::CharLength(p);
    }
}

static bool FormatInto(char* target, std::size_t size, const char* format, std::va_list args) {
    int written = std::vsnprintf(target, size, format, args);
    if (written >= 0 && static_cast<std::size_t>(written) < size) return true;
    // Cut (some runtimes answer -1 for that instead of the full length).
    target[size - 1] = '\0';
    DropSplitCharacter(target);
    return false;
}

bool FormatBounded(char* target, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    bool whole = FormatInto(target, size, format, args);
    va_end(args);
    return whole;
}

bool FormatLoaded(char* target, std::size_t size, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    bool whole = FormatInto(target, size, format, args);
    va_end(args);
    return whole;
}

}  // namespace quelbrix
