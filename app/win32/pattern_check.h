// The check a regular expression passes before a search starts with it.
#pragma once

#include <windows.h>

#include <string>

namespace quelbrix {

struct AppContext;

// True when Grexmo compiles `word`; otherwise tells the user why in a box owned by `owner`
// (stop icon) and returns false.
bool AcceptSearchPattern(const AppContext& app, HWND owner, const std::string& word);

}  // namespace quelbrix
