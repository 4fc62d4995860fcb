// Whole files on the Windows file system: one write for the settings file's default text and
// the result report, and FileAccess for the settings file.
#pragma once

#include <windows.h>

#include <string>

#include "app/profile_file.h"

namespace quelbrix {

enum class WholeFileWrite {
    kWritten,
    kNotCreated,  // the file could not be created (no access, a bad name, held by another)
    kWriteFailed  // created, but not all bytes were written (the file may hold part of them)
};

// Creates `path` with `disposition` (CREATE_ALWAYS replaces a file, CREATE_NEW never does) and
// writes `bytes` in one write.
WholeFileWrite WriteWholeFile(const std::string& path, const std::string& bytes,
                              DWORD disposition = CREATE_ALWAYS,
                              DWORD attributes = FILE_ATTRIBUTE_NORMAL);

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
