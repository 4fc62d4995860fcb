// The result list held in memory: what the tests and both command-line tools list into.
#ifndef QUELBRIX_MEMORY_ROWS_H
#define QUELBRIX_MEMORY_ROWS_H

#include <cstdint>
#include <string>
#include <vector>

#include "platform.h"

namespace quelbrix {

struct MemoryColumn {
    std::string header;
    int width;
    ColumnAlign align;
};

struct MemoryRow {
    std::string cells[4];
    std::intptr_t sortKey = 0;
};

// One list; the handle passed in is not looked at.
class MemoryRows : public ResultRows {
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

    // Removes one row, as the program does when the user deletes a file.
    void Delete(int row);

    std::vector<MemoryColumn> columns;
    std::vector<MemoryRow> rows;
    bool gridStyle = false;
};

}  // namespace quelbrix

#endif
