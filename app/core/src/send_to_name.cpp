#include "app/send_to_name.h"

#include "app/sjis.h"
#include "common/product.h"

namespace quelbrix {

std::string SendToShortcutName(const std::string& programPath) {
    const std::string fileName = programPath.substr(FolderPartOf(programPath).size());
    // A dot is never the second byte of a double-byte character, so a plain search is safe.
    return fileName.substr(0, fileName.find('.'));
}

std::string SendToShortcutPath(const std::string& folder, const std::string& programPath) {
    std::string path = folder;
    if (!EndsWithBackslash(path)) path += '\\';
    return path + SendToShortcutName(programPath) + ".lnk";
}

std::string ProgramNameShortcutPath(const std::string& folder) {
    return SendToShortcutPath(folder, kProgramName);
}

SendToRemoval ChooseSendToRemoval(const std::string& programPath, const SendToShortcuts& found) {
    if (found.currentNameExists) return SendToRemoval::kCurrentName;
    if (!found.programNameTarget.empty() &&
        SameIgnoringAsciiCase(found.programNameTarget, programPath)) {
        return SendToRemoval::kProgramName;
    }
    return SendToRemoval::kNothing;
}

}  // namespace quelbrix
