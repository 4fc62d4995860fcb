// The engine's module-wide state: one record, all zero when the library is loaded.
#ifndef QUELBRIX_ENGINE_STATE_H
#define QUELBRIX_ENGINE_STATE_H

#include <cstdint>

#include "engine/platform.h"

namespace quelbrix {

struct EngineState {
    std::int32_t hitFileCount = 0;       // files listed by the current search
    std::int32_t examinedFileCount = 0;  // files handed to the matcher by the current search
    std::int32_t nextRow = 0;            // where the next result row goes
    WindowHandle resultList = nullptr;   // set by InitListView; nothing is listed before
    void* instance = nullptr;            // the library's own module (string table)
    std::int32_t baseFolderLength = 0;   // bytes of the searched folder (relative paths)
    bool stopRequested = false;          // set by RequestStop, cleared by every search
    std::int32_t sortColumn = 0;         // last sort; survives from one search to the next
    bool sortDescending = false;
};

}  // namespace quelbrix

#endif
