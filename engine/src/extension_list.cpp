#include "extension_list.h"

#include "common/shift_jis.h"

namespace quelbrix {

std::vector<ExtensionItem> SplitExtensionList(const char* extensions) {
    std::vector<ExtensionItem> items;
    if (extensions == nullptr || extensions[0] == '\0') {
        items.push_back(ExtensionItem{});
        return items;
    }
    ExtensionItem current{};
    std::size_t length = 0;
    for (const char* p = extensions;; ++p) {
        if (*p == ',' || *p == '\0') {
            if (length > 0) {
                current.text[length] = '\0';
                items.push_back(current);
            }
            length = 0;
            if (*p == '\0') break;
        } else if (length < kMaxExtensionItem) {
            // Bytes are counted singly: the cut may fall inside a double-byte character.
            current.text[length++] = *p;
        }
    }
    return items;
}

static unsigned char FoldAsciiCase(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool MatchesExtension(const char* path, const char* item) {
    if (item[0] == '\0') return true;

    const char* p = path;
    if (((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':') p += 2;
    const char* extension = nullptr;
    while (*p != '\0') {
        if (*p == '\\' || *p == '/') {
            extension = nullptr;
        } else if (*p == '.') {
            extension = p + 1;
        }
        p += sjis::CharLength(p);
    }
    if (extension == nullptr) return false;

    for (;;) {
        // A double-byte character is compared as it stands: its second byte may look like an
        // ASCII letter (ア is 0x83 0x41, ヂ is 0x83 0x61) but is not one.
        if (sjis::CharLength(extension) == 2) {
            if (extension[0] != item[0] || extension[1] != item[1]) return false;
            extension += 2;
            item += 2;
            continue;
        }
        unsigned char a = FoldAsciiCase(static_cast<unsigned char>(*extension));
        unsigned char b = FoldAsciiCase(static_cast<unsigned char>(*item));
        if (a != b) return false;
        if (a == '\0') return true;
        ++extension;
        ++item;
    }
}

}  // namespace quelbrix
