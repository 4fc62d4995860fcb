#include "app/help_topic.h"

#include <cstring>

namespace quelbrix {

bool ComposeHelpTopicText(const std::string& helpPath, const char* topic, char* out,
                          std::size_t capacity) {
    if (out == nullptr || capacity == 0) return false;
    out[0] = '\0';
    static const char kSeparator[] = "::";
    const std::size_t separatorBytes = sizeof kSeparator - 1;
    const std::size_t topicBytes = topic != nullptr ? std::strlen(topic) : 0;
    const std::size_t total = helpPath.size() + separatorBytes + topicBytes;
    if (total >= capacity) return false;
    std::memcpy(out, helpPath.data(), helpPath.size());
    std::memcpy(out + helpPath.size(), kSeparator, separatorBytes);
    if (topicBytes != 0) std::memcpy(out + helpPath.size() + separatorBytes, topic, topicBytes);
    out[total] = '\0';
    return true;
}

bool IsFullyQualifiedPath(const std::string& path) {
    auto isSlash = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 3 && path[1] == ':' && isSlash(path[2])) {
        const char drive = path[0];
        return (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    }
    return path.size() >= 3 && isSlash(path[0]) && isSlash(path[1]) && !isSlash(path[2]);
}

}  // namespace quelbrix
