// The text of the result report: the search word, then one line per row of the result list in
// the order the list shows them. Shift_JIS, CR LF between lines, none after the last.
#pragma once

#include <string>
#include <vector>

namespace quelbrix {

// What the report says about the search the rows came from.
struct ReportSearch {
    std::string word;
    std::string folder;          // the searched folder, ending with its separator
    bool relativePaths = false;  // rows hold paths below `folder`
    bool showCounts = false;     // rows hold a hit count
};

// One row of the result list: its path cell and its hit-count cell.
struct ReportRow {
    std::string path;
    std::string count;
};

// The whole report. Throws std::bad_alloc when memory runs out.
std::string FormatResultReport(const ReportSearch& search, const std::vector<ReportRow>& rows);

}  // namespace quelbrix
