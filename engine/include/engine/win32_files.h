// Folder enumeration and file reading over KERNEL32.
#ifndef QUELBRIX_WIN32_FILES_H
#define QUELBRIX_WIN32_FILES_H

#include "engine/platform.h"

namespace quelbrix {

// Holds no state of its own, and the last error is the calling thread's: several threads may
// list, open and read at once.
class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<FolderListing> ListFolder(const char* folder) override;
    std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                             std::size_t errorTextSize) override;
    char Separator() const override { return '\\'; }
};

}  // namespace quelbrix

#endif
