#include "result_report_file.h"

#include <commctrl.h>

#include <new>
#include <string>
#include <vector>

#include "app_context.h"
#include "engine/result_report.h"
#include "file_dialogs.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "result_list.h"
#include "win32_file_access.h"

namespace quelbrix {

namespace {

// One entry: the description, then the pattern, each zero-terminated; a second zero ends it.
constexpr char kTextFileFilter[] = "テキストファイル(*.txt)\0*.txt\0";
constexpr std::size_t kCountCellBytes = 20;  // column 3: the hit count as decimal text

std::vector<ReportRow> ListRows(HWND list, bool withCounts) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<ReportRow> rows;
    rows.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int row = 0; row < count; ++row) {
        rows.push_back({ResultCellText(list, row, QUELBRIX_COLUMN_FILE, kPathBytes),
                        withCounts
                            ? ResultCellText(list, row, QUELBRIX_COLUMN_COUNT, kCountCellBytes)
                            : std::string()});
    }
    return rows;
}

}  // namespace

void SaveResults(const ResultRows& rows) {
    AppContext& app = rows.app;
    if (rows.search.folder.empty()) {
        app.ShowMessage(IDS_NOTHING_TO_SAVE, MB_ICONHAND | MB_OK);
        return;
    }
    char fileName[kPathBytes];
    if (!ChooseSaveFile(rows.owner, kTextFileFilter, nullptr, fileName, sizeof fileName)) {
        return;
    }

    // The whole text is made before the file is touched, so running out of memory leaves an
    // existing file as it was.
    std::string text;
    try {
        text = FormatResultReport(rows.search, ListRows(rows.list, rows.search.showCounts));
    } catch (const std::bad_alloc&) {
        app.ShowMessage(IDS_NO_MEMORY, MB_ICONHAND | MB_OK);
        return;
    }

    switch (WriteWholeFile(fileName, text)) {
    case WholeFileWrite::kWritten:
        break;
    case WholeFileWrite::kNotCreated:
        app.ShowMessage(IDS_CREATE_FAILED, MB_ICONHAND | MB_OK);
        break;
    case WholeFileWrite::kWriteFailed:
        app.ShowMessage(IDS_WRITE_FAILED, MB_ICONHAND | MB_OK);
        break;
    }
}

}  // namespace quelbrix
