#include "app/message_text.h"

#include "app/sjis.h"

namespace quelbrix {

std::string MessageWithDetail(const std::string& text, const std::string& detail) {
    const std::string shown = detail.size() <= kMessageDetailBytes
                                  ? detail
                                  : CutAtCharBoundary(detail, kMessageDetailBytes - 3) + "...";
    // '%' is below 0x40 and so never the second byte of a double-byte character: a byte
    // search finds only a real "%s".
    std::string message = text;
    const std::size_t slot = message.find("%s");
    if (slot == std::string::npos) return message + shown;
    message.replace(slot, 2, shown);
    return message;
}

}  // namespace quelbrix
