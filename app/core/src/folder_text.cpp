#include "app/folder_text.h"

#include "app/sjis.h"
#include "common/text_limits.h"

namespace quelbrix {

FolderCheck PrepareSearchFolder(const std::string& fieldText, std::string& folder) {
    if (fieldText.empty()) return FolderCheck::kEmpty;
    std::string withSeparator = EndsWithBackslash(fieldText) ? fieldText : fieldText + "\\";
    if (withSeparator.size() > kPathTextBytes + 1) return FolderCheck::kTooLong;
    folder = withSeparator;
    return FolderCheck::kOk;
}

std::string FolderFieldForArgument(const std::string& argument, const std::string& resolved,
                                   bool namesFolder) {
    if (EndsWithBackslash(argument) || namesFolder) {
        return EndsWithBackslash(resolved) ? resolved : resolved + "\\";
    }
    return FolderPartOf(resolved);
}

std::string FolderFieldForDroppedItem(const std::string& path, bool isFolder) {
    return isFolder ? path : FolderPartOf(path);
}

}  // namespace quelbrix
