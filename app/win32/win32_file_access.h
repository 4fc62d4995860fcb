// FileAccess on the Windows file system, for the settings file.
#pragma once

#include "app/profile_file.h"

namespace quelbrix {

class Win32FileAccess : public FileAccess {
public:
    ReadResult ReadAll(const std::string& path, std::string& bytes) override;
    // Writes a sibling file of a unique name and moves it over `path`, so a failed write (a
    // full disk) leaves the old settings whole. Where no sibling can be created or moved (a
    // folder where only the file itself is writable), the file is written in place. The file's
    // hidden, system and archive attributes are kept.
    bool WriteAll(const std::string& path, const std::string& bytes) override;

protected:
    // The sibling's name for the given attempt (a name that exists already is tried again).
    virtual std::string SiblingName(const std::string& path, unsigned attempt);
};

}  // namespace quelbrix
