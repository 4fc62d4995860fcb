// FileAccess on the Windows file system, for the settings file.
#pragma once

#include "profile_file.h"

namespace quelbrix {

class Win32FileAccess : public FileAccess {
public:
    ReadResult ReadAll(const std::string& path, std::string& bytes) override;
    // Writes a sibling file "<path>.new" and moves it over `path`, so a failed write (a full
    // disk) leaves the old settings whole.
    bool WriteAll(const std::string& path, const std::string& bytes) override;
};

}  // namespace quelbrix
