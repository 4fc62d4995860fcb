#include "app/menu_access_key.h"

#include "app/sjis.h"

namespace quelbrix {

namespace {

char FoldAsciiCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

char AccessKeyOf(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (IsSjisLeadByte(byte)) {
            ++i;  // its second byte is no "&"
            continue;
        }
        if (byte != '&') continue;
        if (i + 1 >= text.size()) return 0;
        unsigned char next = static_cast<unsigned char>(text[i + 1]);
        if (next == '&') {
            ++i;
            continue;
        }
        return IsSjisLeadByte(next) ? 0 : static_cast<char>(next);
    }
    return 0;
}

AccessKeyMatch MatchMenuAccessKey(const std::vector<std::string>& texts, char pressed,
                                  int current) {
    AccessKeyMatch match;
    const int count = static_cast<int>(texts.size());
    if (pressed == 0 || count == 0) return match;
    if (current < -1 || current >= count) current = -1;
    int matches = 0;
    // Walk once round the menu, starting just after the highlighted item.
    for (int step = 1; step <= count; ++step) {
        int index = (current + step) % count;
        if (index < 0) index += count;
        char key = AccessKeyOf(texts[static_cast<std::size_t>(index)]);
        if (key == 0 || FoldAsciiCase(key) != FoldAsciiCase(pressed)) continue;
        if (matches++ == 0) match.index = index;
    }
    if (matches == 1) match.action = AccessKeyAction::kExecute;
    if (matches > 1) match.action = AccessKeyAction::kSelect;
    return match;
}

}  // namespace quelbrix
