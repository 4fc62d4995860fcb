#include "app/command_line.h"

#include "app/sjis.h"

namespace quelbrix {

CommandLineRequest ScanCommandLine(const std::string& commandLine) {
    return ScanCommandLine(commandLine, false);
}

CommandLineRequest ScanCommandLine(const std::string& kept, bool cutShort) {
    CommandLineRequest request;
    const bool cut = cutShort || kept.size() > kCommandLineCapacity;
    const std::string text = kept.substr(0, kCommandLineCapacity);
    const std::size_t end = text.find('\0') == std::string::npos ? text.size() : text.find('\0');
    // A text reaching the scanned end is whole only when nothing was cut away behind it.
    const bool endIsReal = !cut || end < text.size();

    std::size_t i = 0;
    while (i < end) {
        const char c = text[i];
        if (c == ' ') {
            ++i;
        } else if (c == '"') {
            // Everything after the quote, less the closing quote taken to be its last character.
            if (endIsReal) request.folder = DropLastChar(text.substr(i + 1, end - i - 1));
            break;
        } else if (c == '/') {
            const char letter = i + 1 < end ? text[i + 1] : '\0';
            if (letter == 'f' || letter == 'u' || letter == 's') {
                if (letter == 'f') request.useRegex = true;
                if (letter == 'u') request.searchSubfolders = true;
                if (letter == 's') request.startSearch = true;
                i += 2;
            } else if (letter == 'w') {
                request.hasWord = true;
                std::size_t j = i + 2;
                while (j < end && text[j] != '"' && text[j] != '/') ++j;
                if (j == end || text[j] == '/') return request;  // no word, and the scan ends
                const std::size_t open = j + 1;
                const std::size_t close = text.find('"', open);
                if (close == std::string::npos || close >= end) {
                    if (endIsReal) request.word = text.substr(open, end - open);
                    return request;
                }
                request.word = text.substr(open, close - open);
                i = close + 1;
            } else {
                ++i;  // only the slash is consumed
            }
        } else {
            if (endIsReal) request.folder = text.substr(i, end - i);
            break;
        }
    }
    return request;
}

}  // namespace quelbrix
