// Reading the result list's cells back (the engine wrote them).
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quelbrix {

// The text of `column` in `row`, at most capacity - 1 bytes; "" when there is no such cell.
std::string ResultCellText(HWND list, int row, int column, std::size_t capacity);

}  // namespace quelbrix
