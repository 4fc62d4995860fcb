// Folder enumeration and file reading over POSIX calls, for the host build.
#ifndef QUELBRIX_POSIX_FILES_H
#define QUELBRIX_POSIX_FILES_H

#include "engine/platform.h"

namespace quelbrix {

// Links to folders are reported as folders, as the Windows walk sees junctions; the walk
// knows each folder by its device and inode, so a link back to an ancestor is not followed.
// Holds no state of its own (errno is the calling thread's, and glibc's strerror answers a
// known error with its constant text): several threads may list, open and read at once.
// An open file maps itself read-only (Map); should it be cut while mapped, the view reads zeros
// past the cut (a process-wide SIGBUS handler, chained to any earlier one, sees to it).
class PosixFileSystem : public FileSystem {
public:
    std::unique_ptr<FolderListing> ListFolder(const char* folder) override;
    std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                             std::size_t errorTextSize) override;
    char Separator() const override { return '/'; }
};

}  // namespace quelbrix

#endif
