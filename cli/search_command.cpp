// quelbrix search [options] FOLDER WORD: one search request; rows or hit lines to stdout.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "commands.h"
#include "common/result_columns.h"
#include "common/shift_jis.h"
#include "console_ui.h"
#include "engine/engine_state.h"
#include "engine/memory_rows.h"
#include "engine/result_list.h"
#include "engine/result_report.h"
#include "engine/search_driver.h"
#include "grep_colors.h"
#include "grexmo/grexmo.h"
#include "line_printers.h"
#include "native_files.h"
#include "options.h"
#include "search_options.h"
#include "utf8_names.h"
#include "utf8_terminal.h"

namespace quelbrix {

namespace {

// Whether the folder's last character is the separator. A 0x5C that is the second byte of a
// double-byte character (表 is 0x95 0x5C) is not one; '/' (0x2F) never is a second byte, so
// UTF-8 names on the host cannot hide it.
bool EndsWithSeparator(const std::string& folder, char separator) {
    const char* const end = folder.data() + folder.size();
    std::size_t last = 0;
    for (std::size_t at = 0; at < folder.size(); at += sjis::CharLengthIn(folder.data() + at, end))
        last = at;
    return last + 1 == folder.size() && folder[last] == separator;
}

void PrintRows(const MemoryRows& rows, const TerminalText& terminal) {
    for (const MemoryRow& row : rows.rows) {
        terminal.Write(stdout, row.cells[0] + '\t' + row.cells[1] + '\t' + row.cells[2] + '\t' +
                                   row.cells[3] + '\n');
    }
}

// Writes the report of the rows found in one write; false when the file cannot be created or
// written whole.
bool WriteReport(const char* path, const SearchRequest& request, const MemoryRows& rows) try {
    ReportSearch search;
    search.word = request.word;
    search.folder = request.folder;
    search.relativePaths = request.relativePaths;
    search.showCounts = request.countHits;
    std::vector<ReportRow> reportRows;
    reportRows.reserve(rows.rows.size());
    for (const MemoryRow& row : rows.rows) reportRows.push_back({row.cells[0], row.cells[3]});
    const std::string text = FormatResultReport(search, reportRows);

    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
} catch (const std::bad_alloc&) {
    return false;
}

// False after telling why Grexmo refuses the word, compiled as the search compiles it. A plain
// word is refused only when folding makes its program too large (thousands of kana).
bool PatternIsValid(const std::string& word, bool isRegex, unsigned folds) {
    CGrexmo pattern;
    pattern.Read(word.c_str(), isRegex, folds);
    if (pattern.IsValid()) return true;
    std::fprintf(stderr, "quelbrix search: %s: %s\n",
                 isRegex ? "invalid regular expression" : "the word cannot be searched",
                 pattern.GetErrorText());
    return false;
}

// Runs the request over `files`, prints the rows or the hit lines and writes the report; the
// exit status. `sjisPaths`: the engine's paths are Shift_JIS, not the file system's bytes.
int Search(const SearchArguments& arguments, FileSystem& files, const TerminalText& terminal,
           bool sjisPaths) {
    SearchRequest request = arguments.request;
    ConsoleUi ui(stderr, arguments.answerYes, terminal);
    SilentProgress progress;
    MemoryRows rows;
    Platform platform{files, ui, progress, rows};
    // The progress bar is never looked at; any non-null handle asks for one.
    if (arguments.withProgress) request.progress = &progress;

    // Lines name their files as the rows would.
    const std::size_t pathSkip = request.relativePaths ? std::strlen(request.folder) : 0;
    const LineForm form = arguments.lineForm;
    LineStyle style;
    style.utf8 = terminal.IsUtf8();
    style.color = UseColor(arguments.color, StandardOutputIsTerminal(), std::getenv("TERM"));
    style.maxColumns = static_cast<std::size_t>(arguments.maxColumns);
    GrepLinePrinter grepLines(stdout, form == LineForm::kVimgrep,
                              form == LineForm::kLines && arguments.contextGiven, style, pathSkip);
    JsonLinePrinter jsonLines(stdout, PathForm{pathSkip, sjisPaths});
    if (form == LineForm::kLines || form == LineForm::kVimgrep) request.hitLines = &grepLines;
    if (form == LineForm::kJson) request.hitLines = &jsonLines;
    request.contextLines = form == LineForm::kVimgrep ? 0 : arguments.contextLines;

    EngineState state;
    InitListView(state, rows, &rows, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT, QUELBRIX_WIDTH_SIZE,
                 QUELBRIX_WIDTH_TIME);
    bool completed = FindFolderOnThreads(state, platform, request,
                                         static_cast<unsigned>(arguments.threads));
    if (form == LineForm::kRows) PrintRows(rows, terminal);
    if (form == LineForm::kJson) jsonLines.Finish();
    std::fflush(stdout);
    if (grepLines.OutOfMemory() || jsonLines.OutOfMemory()) {
        std::fprintf(stderr, "quelbrix search: out of memory; some hit lines are missing\n");
        completed = false;
    }
    const char* const reportPath = arguments.reportPath;
    if (reportPath != nullptr && !WriteReport(reportPath, request, rows)) {
        std::fprintf(stderr, "quelbrix search: the report %s could not be written\n", reportPath);
        return kReportNotWrittenStatus;
    }
    return completed ? kDoneStatus : kEndedEarlyStatus;
}

int RunSearchCommand(int argc, char** argv, const TerminalText& terminal) {
    SearchArguments arguments;
    if (!ReadSearchArguments(argc, argv, arguments)) return kUsageErrorStatus;
    std::string folder, word, excludeFolders;
    if (!terminal.ToEngine("search", "FOLDER", arguments.folder, folder) ||
        !terminal.ToEngine("search", "WORD", arguments.word, word) ||
        !terminal.ToEngine("search", "--exclude-dir", arguments.excludeFolders.c_str(),
                           excludeFolders)) {
        return kUsageErrorStatus;
    }
    NativeFileSystem nativeFiles;
    Utf8NamedFileSystem utf8Files(nativeFiles);
    const bool utf8Names = terminal.IsUtf8() && kNamesFollowLocale;
    FileSystem& files = utf8Names ? static_cast<FileSystem&>(utf8Files) : nativeFiles;
    std::string nativeFolder = arguments.folder;
    if (!EndsWithSeparator(folder, files.Separator())) {
        folder += files.Separator();
        nativeFolder += files.Separator();
    }
    // The folder as typed, also where its Shift_JIS form reads back otherwise (¥ as \).
    if (utf8Names)
        utf8Files.Remember(folder.substr(0, folder.size() - 1),
                           nativeFolder.substr(0, nativeFolder.size() - 1));
    if ((arguments.request.useRegex || arguments.request.folds != 0) &&
        !PatternIsValid(word, arguments.request.useRegex, arguments.request.folds))
        return kUsageErrorStatus;
    arguments.request.folder = folder.c_str();
    arguments.request.word = word.c_str();
    arguments.request.excludeFolders = excludeFolders.c_str();
    return Search(arguments, files, terminal, utf8Names || !kNamesFollowLocale);
}

}  // namespace

const CommandEntry kSearchEntry = {kSearchCommand.info.name, RunSearchCommand,
                                   [] { return Synopsis(kSearchCommand); },
                                   [] { return UsageText(kSearchCommand); }};

}  // namespace quelbrix
