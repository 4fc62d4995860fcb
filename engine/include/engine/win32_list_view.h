// The caller's report-style list control, through LVM_* messages.
#ifndef QUELBRIX_WIN32_LIST_VIEW_H
#define QUELBRIX_WIN32_LIST_VIEW_H

#include "engine/platform.h"

namespace quelbrix {

// Talks to the list control it was last bound to.
class Win32ListView : public ResultRows {
public:
    void Bind(WindowHandle list) override { list_ = list; }
    void AddColumn(int column, const char* header, int width, ColumnAlign align) override;
    void SetGridStyle() override;
    int Count() override;
    void Insert(int row, const char* text) override;
    void SetCell(int row, int column, const char* text) override;
    void GetCell(int row, int column, char* buffer, std::size_t size) override;
    void SetSortKey(int row, std::intptr_t key) override;
    void DeleteAll() override;
    bool Sort(RowComparator compare, void* context) override;

private:
    WindowHandle list_ = nullptr;
};

}  // namespace quelbrix

#endif
