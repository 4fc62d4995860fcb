#include "sjis.h"

namespace quelbrix {

namespace {

// Byte offset at which the last character of `text` starts, or text.size() when empty.
std::size_t LastCharStart(const std::string& text) {
    std::size_t last = text.size();
    for (std::size_t i = 0; i < text.size();) {
        last = i;
        bool pair = IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += pair ? 2 : 1;
    }
    return last;
}

}  // namespace

bool EndsWithBackslash(const std::string& text) {
    std::size_t last = LastCharStart(text);
    return last < text.size() && last + 1 == text.size() && text[last] == '\\';
}

std::string FolderPartOf(const std::string& path) {
    std::size_t end = 0;  // one past the last separator found
    for (std::size_t i = 0; i < path.size();) {
        unsigned char byte = static_cast<unsigned char>(path[i]);
        if (IsSjisLeadByte(byte) && i + 1 < path.size()) {
            i += 2;
            continue;
        }
        if (byte == '\\' || byte == '/') end = i + 1;
        ++i;
    }
    return path.substr(0, end);
}

std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        bool pair = IsSjisLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
        std::size_t next = end + (pair ? 2 : 1);
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

std::string DropLastChar(const std::string& text) {
    return text.substr(0, LastCharStart(text));
}

}  // namespace quelbrix
