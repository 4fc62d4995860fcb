// The caller's report-style list control, through LVM_* messages.
#ifndef QUELBRIX_WIN32_LIST_VIEW_H
#define QUELBRIX_WIN32_LIST_VIEW_H

#include "platform.h"

namespace quelbrix {

class Win32ListView : public ResultRows {
public:
    void AddColumn(WindowHandle list, int column, const char* header, int width,
                   ColumnAlign align) override;
    void SetGridStyle(WindowHandle list) override;
    int Count(WindowHandle list) override;
    void Insert(WindowHandle list, int row, const char* text) override;
    void SetCell(WindowHandle list, int row, int column, const char* text) override;
    void GetCell(WindowHandle list, int row, int column, char* buffer, std::size_t size) override;
    void SetSortKey(WindowHandle list, int row, std::intptr_t key) override;
    void DeleteAll(WindowHandle list) override;
    bool Sort(WindowHandle list, RowComparator compare, void* context) override;
};

}  // namespace quelbrix

#endif
