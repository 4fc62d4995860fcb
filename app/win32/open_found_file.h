// Opening a found file as the result list's このファイルを開く does: with its associated
// program, or with the program chosen on the General page ([whole] appli and path).
#pragma once

#include <windows.h>

#include <string>

namespace quelbrix {

struct AppContext;

// Opens the file at `path`; when the General page chose a program of the user's but names
// none, says so (IDS_NO_PROGRAM) in a box owned by `owner` and opens nothing. Whether the
// program starts is not checked: the shell tells the user itself.
void OpenFoundFile(AppContext& app, HWND owner, const std::string& path);

}  // namespace quelbrix
