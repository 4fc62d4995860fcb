// Folder enumeration and file reading over KERNEL32.
#ifndef QUELBRIX_WIN32_FILES_H
#define QUELBRIX_WIN32_FILES_H

#include "engine/platform.h"

namespace quelbrix {

// Holds no state of its own, and the last error is the calling thread's: several threads may
// list, open and read at once. An open file on a fixed local drive maps itself (Map); files
// elsewhere, and those whose size fills their last page, are read.
class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<FolderListing> ListFolder(const char* folder) override;
    std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                             std::size_t errorTextSize) override;
    char Separator() const override { return '\\'; }
};

// Whether `path` lies on a fixed local drive, whose pages come in or fail with the drive;
// false for network, removable and unknown drives, and when the volume cannot be told.
bool OnFixedLocalDrive(const char* path);

}  // namespace quelbrix

#endif
