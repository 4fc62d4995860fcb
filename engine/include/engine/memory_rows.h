// The result list held in memory: what the tests and both command-line tools list into.
#ifndef QUELBRIX_MEMORY_ROWS_H
#define QUELBRIX_MEMORY_ROWS_H

#include <cstdint>
#include <string>
#include <vector>

#include "engine/platform.h"

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

// One list; the bound handle is recorded but not looked at.
class MemoryRows : public ResultRows {
public:
    void Bind(WindowHandle list) override { boundList = list; }
    void AddColumn(int column, const char* header, int width, ColumnAlign align) override;
    void SetGridStyle() override;
    int Count() override;
    void Insert(int row, const char* text) override;
    void SetCell(int row, int column, const char* text) override;
    void GetCell(int row, int column, char* buffer, std::size_t size) override;
    void SetSortKey(int row, std::intptr_t key) override;
    void DeleteAll() override;
    bool Sort(RowComparator compare, void* context) override;

    // Removes one row, as the program does when the user deletes a file.
    void Delete(int row);

    std::vector<MemoryColumn> columns;
    std::vector<MemoryRow> rows;
    bool gridStyle = false;
    WindowHandle boundList = nullptr;
};

}  // namespace quelbrix

#endif
