// The file system of the platform the front end runs on.
#ifndef QUELBRIX_CLI_NATIVE_FILES_H
#define QUELBRIX_CLI_NATIVE_FILES_H

#ifdef _WIN32
#include "win32_files.h"
namespace quelbrix {
using NativeFileSystem = Win32FileSystem;
}
#else
#include "posix_files.h"
namespace quelbrix {
using NativeFileSystem = PosixFileSystem;
}
#endif

#endif
