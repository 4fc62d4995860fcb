// The file system of the platform the front end runs on.
#ifndef QUELBRIX_CLI_NATIVE_FILES_H
#define QUELBRIX_CLI_NATIVE_FILES_H

// kNamesFollowLocale: whether file names are bytes in the user's character set (POSIX), so
// that on a UTF-8 terminal they are UTF-8; the Windows calls take Shift_JIS names.
#ifdef _WIN32
#include "engine/win32_files.h"
namespace quelbrix {
using NativeFileSystem = Win32FileSystem;
constexpr bool kNamesFollowLocale = false;
}  // namespace quelbrix
#else
#include "engine/posix_files.h"
namespace quelbrix {
using NativeFileSystem = PosixFileSystem;
constexpr bool kNamesFollowLocale = true;
}  // namespace quelbrix
#endif

#endif
