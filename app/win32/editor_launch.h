// Opening a found file at one of its lines in the editor chosen on the settings page
// "プレビュー" ([preview] editor and arguments).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quelbrix {

struct AppContext;

// Starts the editor on `path` at `line` (counted from 1) with the command line the settings
// make (app/editor_command.h); without an editor, opens the file as このファイルを開く does
// (OpenFoundFile). A command line too long to start, or an editor that cannot be started, is
// told in a box owned by `owner`. The program does not wait for the editor.
void OpenFileAtLine(AppContext& app, HWND owner, const std::string& path, std::size_t line);

}  // namespace quelbrix
