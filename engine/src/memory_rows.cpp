#include "engine/memory_rows.h"

#include <algorithm>

#include "engine/bounded_text.h"

namespace quelbrix {

namespace {

bool IsCell(const std::vector<MemoryRow>& rows, int row, int column) {
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() && column >= 0 && column < 4;
}

}  // namespace

void MemoryRows::AddColumn(int column, const char* header, int width, ColumnAlign align) {
    std::size_t at = std::min(static_cast<std::size_t>(column < 0 ? 0 : column), columns.size());
    columns.insert(columns.begin() + static_cast<std::ptrdiff_t>(at),
                   MemoryColumn{header, width, align});
}

void MemoryRows::SetGridStyle() { gridStyle = true; }

int MemoryRows::Count() { return static_cast<int>(rows.size()); }

void MemoryRows::Insert(int row, const char* text) {
    std::size_t at = std::min(static_cast<std::size_t>(row < 0 ? 0 : row), rows.size());
    MemoryRow added;
    added.cells[0] = text;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), added);
}

void MemoryRows::SetCell(int row, int column, const char* text) {
    if (IsCell(rows, row, column)) rows[static_cast<std::size_t>(row)].cells[column] = text;
}

void MemoryRows::GetCell(int row, int column, char* buffer, std::size_t size) {
    if (size == 0) return;
    CopyBounded(
        buffer, size,
        IsCell(rows, row, column) ? rows[static_cast<std::size_t>(row)].cells[column].c_str() : "");
}

void MemoryRows::SetSortKey(int row, std::intptr_t key) {
    if (IsCell(rows, row, 0)) rows[static_cast<std::size_t>(row)].sortKey = key;
}

void MemoryRows::DeleteAll() { rows.clear(); }

bool MemoryRows::Sort(RowComparator compare, void* context) {
    std::stable_sort(rows.begin(), rows.end(), [&](const MemoryRow& a, const MemoryRow& b) {
        return compare(a.sortKey, b.sortKey, context) < 0;
    });
    return true;
}

void MemoryRows::Delete(int row) {
    if (IsCell(rows, row, 0)) rows.erase(rows.begin() + row);
}

}  // namespace quelbrix
