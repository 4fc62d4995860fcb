// The report text on any word, folder and rows: every row's line (the folder before relative
// paths, then the path) appears in list order, each row adds its own line and nothing else,
// and the text never ends with a line break.
#include <string>
#include <vector>

#include "engine/result_report.h"
#include "fuzz_check.h"

using namespace quelbrix;
using quelbrix_fuzz::Input;
using quelbrix_fuzz::Shown;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    ReportSearch search;
    search.relativePaths = in.Flag();
    search.showCounts = in.Flag();
    search.word = in.Field();
    search.folder = in.Field();
    std::vector<ReportRow> rows;
    while (!in.Empty() && rows.size() < 64) {
        ReportRow row;
        row.path = in.Field();
        row.count = in.Field();
        rows.push_back(row);
    }
    const std::string what =
        "word '" + Shown(search.word) + "' folder '" + Shown(search.folder) + "'";

    const std::string text = FormatResultReport(search, rows);
    const std::size_t bare = FormatResultReport(search, {}).size();
    FUZZ_CHECK(text.find(search.word) != std::string::npos, what);
    FUZZ_CHECK(text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0, what);
    std::size_t at = 0, expectedSize = bare;
    for (const ReportRow& row : rows) {
        const std::string line =
            "\r\n" + (search.relativePaths ? search.folder : std::string()) + row.path;
        at = text.find(line, at);
        FUZZ_CHECK(at != std::string::npos,
                   "row '" + Shown(row.path) + "' missing or out of order, " + what);
        at += line.size();
        if (search.showCounts) {
            at = text.find(row.count, at);
            FUZZ_CHECK(at != std::string::npos,
                       "count '" + Shown(row.count) + "' missing, " + what);
            at += row.count.size();
        }
        expectedSize += FormatResultReport(search, {row}).size() - bare;
    }
    FUZZ_CHECK(text.size() == expectedSize, what);
    return 0;
}
