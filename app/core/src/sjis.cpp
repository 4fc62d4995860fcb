#include "app/sjis.h"

namespace quelbrix {

namespace {

// Byte offset at which the last character of `text` starts, or text.size() when empty.
std::size_t LastCharStart(const std::string& text) {
    const char* const end = text.data() + text.size();
    std::size_t last = text.size();
    for (std::size_t i = 0; i < text.size(); i += sjis::CharLengthIn(text.data() + i, end)) {
        last = i;
    }
    return last;
}

}  // namespace

bool EndsWithBackslash(const std::string& text) {
    std::size_t last = LastCharStart(text);
    return last < text.size() && last + 1 == text.size() && text[last] == '\\';
}

std::string FolderPartOf(const std::string& path) {
    const char* const end = path.data() + path.size();
    std::size_t folderEnd = 0;  // one past the last separator found
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length = sjis::CharLengthIn(path.data() + i, end);
        if (length == 1 && (path[i] == '\\' || path[i] == '/')) folderEnd = i + 1;
        i += length;
    }
    return path.substr(0, folderEnd);
}

std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes) {
    return text.substr(0, sjis::FittingPrefix(text.data(), text.size(), maxBytes));
}

std::string DropLastChar(const std::string& text) { return text.substr(0, LastCharStart(text)); }

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    auto fold = [](unsigned char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
    };
    const char* const end = a.data() + a.size();
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t length = sjis::CharLengthIn(a.data() + i, end);
        if (length == 2) {
            if (a.compare(i, 2, b, i, 2) != 0) return false;
        } else if (fold(static_cast<unsigned char>(a[i])) !=
                   fold(static_cast<unsigned char>(b[i]))) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace quelbrix
