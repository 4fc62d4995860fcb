// A message of the string table that carries a detail: the reason a pattern was refused, the
// command line that could not be started.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

// The most of a detail a message box shows; a longer one (a command line can be 32 KB) is
// cut at a character boundary and ends with "...".
constexpr std::size_t kMessageDetailBytes = 1024;

// `text` with `detail` in place of its first "%s", or after it when it has none.
std::string MessageWithDetail(const std::string& text, const std::string& detail);

}  // namespace quelbrix
