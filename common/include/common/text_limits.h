// The sizes every layer holds paths and edit box texts to, each in one place.
#ifndef QUELBRIX_COMMON_TEXT_LIMITS_H
#define QUELBRIX_COMMON_TEXT_LIMITS_H

#include <cstddef>

namespace quelbrix {

// A path with its terminating zero: Windows' limit (MAX_PATH) for the ANSI calls the program
// and the engine make, so a longer path could not be opened anyway. The walk builds paths in
// buffers of this size and leaves alone an entry whose path would not fit.
constexpr std::size_t kPathBytes = 260;

// The longest path text, without its terminating zero.
constexpr std::size_t kPathTextBytes = kPathBytes - 1;

// What an edit box of the settings sheet takes and the settings file keeps of it, in bytes
// (a program's path, an extension group).
constexpr std::size_t kEditTextBytes = 259;

}  // namespace quelbrix

#endif
