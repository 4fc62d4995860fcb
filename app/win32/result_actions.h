// The selected row of the result list, the full path of the file it names, and the four
// actions of the list's popup menu on that file.
#pragma once

#include <windows.h>

#include <string>

#include "engine/result_report.h"

namespace quelbrix {

struct AppContext;

// What the actions work on: the list, the window that owns what they show, and the search the
// rows came from (its folder and whether the rows hold paths below it).
struct ResultRows {
    AppContext& app;
    HWND owner;
    HWND list;
    const ReportSearch& search;
};

// The selected row (the list allows one), or -1 when none is.
int SelectedRow(HWND list);
// The full path of the file in the selected row; false, with `path` empty, when no row is
// selected or its path would be longer than a path can be.
bool SelectedFilePath(const ResultRows& rows, std::string& path);

// Opens the selected row's file as OpenFoundFile (open_found_file.h) does.
void OpenSelectedFile(const ResultRows& rows);
// Asks, deletes the file outright (no recycle bin), removes its row and says so.
void DeleteSelectedFile(const ResultRows& rows);
// Opens the folder that holds the file.
void OpenSelectedFolder(const ResultRows& rows);
// Shows the shell's property sheet of the file.
void ShowSelectedProperties(const ResultRows& rows);

}  // namespace quelbrix
