// Paths of folder entries, built in fixed buffers.
#ifndef QUELBRIX_FOLDER_WALK_H
#define QUELBRIX_FOLDER_WALK_H

#include <cstddef>

#include "engine/platform.h"

namespace quelbrix {

enum class EntryKind {
    kSkipped,  // a dot-name, a folder not to be entered, or a path that would not fit
    kFolder,   // `path` is a folder to enter, separator appended
    kFile,     // `path` is a file (or something else that is not a folder)
};

// Classifies `entry` of `folder` (`folderLength` bytes) and, unless skipped, writes its path
// into `path` (kPathBytes bytes). The bounded path also ends any loop of links to an ancestor.
EntryKind BuildEntryPath(const char* folder, std::size_t folderLength, const FolderEntry& entry,
                         bool enterFolders, char separator, char* path);

}  // namespace quelbrix

#endif
