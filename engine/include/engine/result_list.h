// The result list: four columns (file, size, time, count), one row per file with hits, and
// sorting on a column click.
#ifndef QUELBRIX_RESULT_LIST_H
#define QUELBRIX_RESULT_LIST_H

#include <cstdint>

#include "common/result_columns.h"
#include "engine/engine_state.h"
#include "engine/platform.h"

namespace quelbrix {

enum ResultColumn : int {
    kColumnFile = QUELBRIX_COLUMN_FILE,
    kColumnSize = QUELBRIX_COLUMN_SIZE,
    kColumnTime = QUELBRIX_COLUMN_TIME,
    kColumnCount = QUELBRIX_COLUMN_COUNT,
};

// Records `list`, binds `rows` to it and sets up its columns. The widths come in the order file, count, size,
// time, which is not the column order.
void InitListView(EngineState& state, ResultRows& rows, WindowHandle list, int nameWidth,
                  int countWidth, int sizeWidth, int timeWidth);

// Appends one row at `state.nextRow` (or at the end when rows were deleted meanwhile).
void AddResultRow(EngineState& state, ResultRows& rows, const char* path, std::uint32_t fileSize,
                  int hitCount, const char* timeText, bool relativePaths, bool countHits);

// A click on `column`: the same column flips the direction, another one starts descending.
// Returns the platform's answer to the sort request (false without a list).
bool SortResults(EngineState& state, ResultRows& rows, int column);

}  // namespace quelbrix

#endif
