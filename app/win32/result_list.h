// The main window's result list (control 1000) as the program uses it once the engine has set
// it up: a right click or the menu key on a selected row opens the popup menu of the four
// result actions, a double click opens the file; every other message, keys included, goes on
// to the list's own procedure. And its cells, read back (the engine wrote them).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "engine/result_report.h"
#include "result_actions.h"

namespace quelbrix {

struct AppContext;

class ResultList {
public:
    // `search` describes the rows in the list; it belongs to the main window.
    ResultList(AppContext& app, const ReportSearch& search) : app_(app), search_(search) {}
    ~ResultList() { Detach(); }
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    // Puts the list's handling in front of `list`'s own procedure; `owner` (the main window)
    // owns the popup menu and what the actions show.
    void Attach(HWND list, HWND owner);
    // Leaves the list to its own procedure again.
    void Detach();

    HWND Handle() const { return list_; }
    ResultRows Rows() const { return ResultRows{app_, owner_, list_, search_}; }

private:
    static LRESULT CALLBACK Procedure(HWND list, UINT message, WPARAM first, LPARAM second,
                                      UINT_PTR id, DWORD_PTR self);
    void ShowPopupMenu() const;
    void RunMenuCommand(UINT id) const;

    AppContext& app_;
    const ReportSearch& search_;
    HWND list_ = nullptr;
    HWND owner_ = nullptr;
};

// The text of `column` in `row`, at most capacity - 1 bytes; "" when there is no such cell.
std::string ResultCellText(HWND list, int row, int column, std::size_t capacity);

}  // namespace quelbrix
