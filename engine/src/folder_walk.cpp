#include "folder_walk.h"

#include <cstring>

namespace quelbrix {

EntryKind BuildEntryPath(const char* folder, std::size_t folderLength, const FolderEntry& entry,
                         bool enterFolders, char separator, char* path) {
    // Names starting with a dot ("." and ".." among them) are never looked at.
    if (entry.name[0] == '.' || entry.name[0] == '\0') return EntryKind::kSkipped;
    // A folder is either entered or left alone; it is never opened as a file.
    if (entry.isDirectory && !enterFolders) return EntryKind::kSkipped;

    const std::size_t nameLength = strnlen(entry.name, kPathBytes);
    const std::size_t length = folderLength + nameLength + (entry.isDirectory ? 1 : 0);
    if (nameLength >= kPathBytes || length >= kPathBytes) return EntryKind::kSkipped;

    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, entry.name, nameLength);
    if (entry.isDirectory) path[length - 1] = separator;
    path[length] = '\0';
    return entry.isDirectory ? EntryKind::kFolder : EntryKind::kFile;
}

}  // namespace quelbrix
