// The check a regular expression passes before a search starts with it.
#pragma once

#include <string>

namespace quelbrix {

// True when Grexmo compiles `word`; otherwise tells the user why (stop icon) and returns false.
bool AcceptSearchPattern(const std::string& word);

}  // namespace quelbrix
