// The walk of a folder tree that the counting pass and the search share: depth first, in the
// order the file system lists the entries, every path built in a fixed buffer.
#ifndef QUELBRIX_FOLDER_WALK_H
#define QUELBRIX_FOLDER_WALK_H

#include <cstddef>

#include "engine/platform.h"

namespace quelbrix {

// What a walk does with what it meets. Either answer false to end the walk at once.
class FolderVisitor {
public:
    virtual ~FolderVisitor() = default;
    // `path` is a file (or anything else that is not a folder) of the tree.
    virtual bool VisitFile(const char* path) = 0;
    // Called after every entry the walk did not skip: after a file, and after a folder whose
    // walk went to its end.
    virtual bool AfterEntry() = 0;
};

// Walks `folder` (which ends with the separator) and, when `enterFolders`, every folder below
// it. Names starting with a dot are skipped, and so are folders not to be entered, folders
// whose name matches an item of `excludeFolders` (folder_name_patterns.h; null or empty: none),
// entries whose path would not fit kPathBytes, and a folder already being walked further up (a
// link back to an ancestor). Files are never left out by name. A folder that cannot be listed
// has no entries. False when the visitor ended the walk.
bool WalkFolderTree(FileSystem& files, const char* folder, bool enterFolders,
                    const char* excludeFolders, FolderVisitor& visitor);

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
