#include "engine/result_list.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/bounded_text.h"

namespace quelbrix {

namespace {

// Cell texts are read back in buffers of this size.
constexpr std::size_t kCellTextSize = kPathBytes + 1;

// Reads a cell the way atoi does (blanks, sign, digits), saturating instead of overflowing.
long long ReadNumber(const char* text) {
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value < 1000000000000000000LL) value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}

// The sorted column of every row, as it stood when the sort began, indexed by sort key.
struct SortSnapshot {
    std::vector<std::string> cells;
    int column;
    bool descending;
};

int CompareRows(std::intptr_t first, std::intptr_t second, void* context) {
    const SortSnapshot& snapshot = *static_cast<const SortSnapshot*>(context);
    const std::size_t count = snapshot.cells.size();
    if (first < 0 || second < 0 || static_cast<std::size_t>(first) >= count ||
        static_cast<std::size_t>(second) >= count)
        return 0;
    const char* a = snapshot.cells[static_cast<std::size_t>(first)].c_str();
    const char* b = snapshot.cells[static_cast<std::size_t>(second)].c_str();
    int result;
    if (snapshot.column == kColumnSize || snapshot.column == kColumnCount) {
        long long x = ReadNumber(a);
        long long y = ReadNumber(b);
        result = x > y ? 1 : (x < y ? -1 : 0);
    } else {
        result = std::strcmp(a, b);  // unsigned bytes: plain byte order
        result = result > 0 ? 1 : (result < 0 ? -1 : 0);
    }
    return snapshot.descending ? -result : result;
}

// Gives every row its current position as its sort key.
void NumberRows(ResultRows& rows, int count) {
    for (int row = 0; row < count; ++row) rows.SetSortKey(row, row);
}

}  // namespace

void InitListView(EngineState& state, ResultRows& rows, WindowHandle list, int nameWidth,
                  int countWidth, int sizeWidth, int timeWidth) {
    state.resultList = list;
    rows.Bind(list);
    if (list == nullptr) return;
    rows.AddColumn(kColumnFile, "ファイル名・場所", nameWidth, ColumnAlign::kLeft);
    rows.AddColumn(kColumnSize, "サイズ", sizeWidth, ColumnAlign::kRight);
    rows.AddColumn(kColumnTime, "更新日時", timeWidth, ColumnAlign::kRight);
    rows.AddColumn(kColumnCount, "一致数", countWidth, ColumnAlign::kRight);
    rows.SetGridStyle();
}

void AddResultRow(EngineState& state, ResultRows& rows, const char* path, std::uint32_t fileSize,
                  int hitCount, const char* timeText, bool relativePaths, bool countHits) {
    if (state.resultList == nullptr) return;

    const char* name = path;
    if (relativePaths && state.baseFolderLength > 0) {
        std::size_t skip =
            std::min(std::strlen(path), static_cast<std::size_t>(state.baseFolderLength));
        name = path + skip;
    }
    const int row = std::min(state.nextRow, rows.Count());
    rows.Insert(row, name);

    char number[16];
    // Unsigned: a file between 2 and 4 GiB must not show a negative size.
    FormatBounded(number, sizeof number, "%u", static_cast<unsigned>(fileSize));
    rows.SetCell(row, kColumnSize, number);
    rows.SetCell(row, kColumnTime, timeText);
    if (countHits) {
        FormatBounded(number, sizeof number, "%d", hitCount);
        rows.SetCell(row, kColumnCount, number);
    }
    ++state.nextRow;
}

bool SortResults(EngineState& state, ResultRows& rows, int column) {
    if (column == state.sortColumn) {
        state.sortDescending = !state.sortDescending;
    } else {
        state.sortDescending = true;
        state.sortColumn = column;
    }
    if (state.resultList == nullptr) return false;

    const int count = rows.Count();
    if (count <= 0) return true;
    NumberRows(rows, count);

    SortSnapshot snapshot{{}, state.sortColumn, state.sortDescending};
    snapshot.cells.reserve(static_cast<std::size_t>(count));
    char cell[kCellTextSize];
    for (int row = 0; row < count; ++row) {
        cell[0] = '\0';
        rows.GetCell(row, state.sortColumn, cell, kPathBytes);
        snapshot.cells.emplace_back(cell);
    }
    return rows.Sort(CompareRows, &snapshot);
}

}  // namespace quelbrix
