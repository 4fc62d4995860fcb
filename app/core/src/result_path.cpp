#include "app/result_path.h"

#include "common/text_limits.h"

namespace quelbrix {

bool ComposeResultPath(const std::string& searchFolder, bool relativePaths,
                       const std::string& cellText, std::string& path) {
    path.clear();
    if (cellText.empty()) return false;
    std::string full = relativePaths ? searchFolder + cellText : cellText;
    if (full.size() > kPathTextBytes) return false;
    path = std::move(full);
    return true;
}

std::string ProgramParameterFor(const std::string& path) {
    // A space byte is never the second byte of a double-byte character, so a byte scan is exact.
    if (path.find(' ') == std::string::npos) return path;
    return "\"" + path + "\"";
}

}  // namespace quelbrix
