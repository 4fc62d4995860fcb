// Writing a whole file in one write: the settings file, its default text, the result report.
#pragma once

#include <windows.h>

#include <string>

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

}  // namespace quelbrix
