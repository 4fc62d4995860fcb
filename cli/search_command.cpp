// quelbrix search [options] FOLDER WORD: one search request, rows printed to stdout.
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
#include "grexmo/grexmo.h"
#include "native_files.h"
#include "utf8_names.h"
#include "utf8_terminal.h"

namespace quelbrix {

const char kSearchUsage[] =
    "usage: quelbrix search [options] FOLDER WORD\n"
    "  --ext LIST          comma-separated extensions without dots (default: all files)\n"
    "  --regex             WORD is a regular expression\n"
    "  --subfolders        search the folders below too\n"
    "  --relative          list paths relative to FOLDER\n"
    "  --no-count          stop at the first hit of each file; no count column\n"
    "  --no-convert        match files as read, without kanji code conversion\n"
    "  --utf8-files        convert UTF-8 files to Shift_JIS too, before matching\n"
    "  --progress          run with a progress bar (counts the candidates first)\n"
    "  --error-policy N    0 ask, 1 skip the file, 2 stop the search (default 0)\n"
    "  --answer yes|no     how questions are answered (default yes)\n"
    "  --report FILE       also write the rows found as a result report (Shift_JIS, CR LF)\n"
    "Rows go to stdout as four tab-separated cells; message boxes to stderr.\n";

namespace {

int SearchUsage(const char* problem) {
    if (problem != nullptr) std::fprintf(stderr, "quelbrix search: %s\n", problem);
    std::fputs(kSearchUsage, stderr);
    return 2;
}

bool ParsePolicy(const char* text, ErrorPolicy& policy) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < -2147483647L - 1 || value > 2147483647L)
        return false;
    policy = static_cast<ErrorPolicy>(value);
    return true;
}

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

}  // namespace

int RunSearchCommand(int argc, char** argv, const TerminalText& terminal) {
    SearchRequest request;
    bool answerYes = true;
    bool withProgress = false;
    const char* reportPath = nullptr;
    const char* positional[2] = {nullptr, nullptr};
    int positionalCount = 0;

    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (std::strcmp(arg, "--ext") == 0) {
            if ((request.extensions = value()) == nullptr) return SearchUsage("--ext needs a list");
        } else if (std::strcmp(arg, "--regex") == 0) {
            request.useRegex = true;
        } else if (std::strcmp(arg, "--subfolders") == 0) {
            request.searchSubfolders = true;
        } else if (std::strcmp(arg, "--relative") == 0) {
            request.relativePaths = true;
        } else if (std::strcmp(arg, "--no-count") == 0) {
            request.countHits = false;
        } else if (std::strcmp(arg, "--no-convert") == 0) {
            request.convertCodes = false;
        } else if (std::strcmp(arg, "--utf8-files") == 0) {
            request.convertUtf8 = true;
        } else if (std::strcmp(arg, "--progress") == 0) {
            withProgress = true;
        } else if (std::strcmp(arg, "--error-policy") == 0) {
            const char* text = value();
            if (text == nullptr || !ParsePolicy(text, request.errorPolicy))
                return SearchUsage("--error-policy needs a number");
        } else if (std::strcmp(arg, "--answer") == 0) {
            const char* text = value();
            if (text != nullptr && std::strcmp(text, "yes") == 0)
                answerYes = true;
            else if (text != nullptr && std::strcmp(text, "no") == 0)
                answerYes = false;
            else
                return SearchUsage("--answer takes yes or no");
        } else if (std::strcmp(arg, "--report") == 0) {
            if ((reportPath = value()) == nullptr || *reportPath == '\0')
                return SearchUsage("--report needs a file name");
        } else if (std::strcmp(arg, "--") == 0) {
            for (++i; i < argc; ++i) {
                if (positionalCount == 2) return SearchUsage("too many arguments");
                positional[positionalCount++] = argv[i];
            }
        } else if (arg[0] == '-' && arg[1] == '-') {
            return SearchUsage("unknown option");
        } else {
            if (positionalCount == 2) return SearchUsage("too many arguments");
            positional[positionalCount++] = arg;
        }
    }
    if (positionalCount != 2) return SearchUsage("FOLDER and WORD are needed");
    if (positional[0][0] == '\0') return SearchUsage("FOLDER is empty");

    std::string folder, word;
    if (!terminal.ToEngine("search", "FOLDER", positional[0], folder) ||
        !terminal.ToEngine("search", "WORD", positional[1], word)) {
        return 2;
    }
    NativeFileSystem nativeFiles;
    Utf8NamedFileSystem utf8Files(nativeFiles);
    const bool utf8Names = terminal.IsUtf8() && kNamesFollowLocale;
    FileSystem& files = utf8Names ? static_cast<FileSystem&>(utf8Files) : nativeFiles;
    std::string nativeFolder = positional[0];
    if (!EndsWithSeparator(folder, files.Separator())) {
        folder += files.Separator();
        nativeFolder += files.Separator();
    }
    // The folder as typed, also where its Shift_JIS form reads back otherwise (¥ as \).
    if (utf8Names)
        utf8Files.Remember(folder.substr(0, folder.size() - 1),
                           nativeFolder.substr(0, nativeFolder.size() - 1));
    request.folder = folder.c_str();
    request.word = word.c_str();
    if (request.useRegex) {
        CGrexmo pattern;
        pattern.Read(request.word, true);
        if (!pattern.IsValid()) {
            std::fprintf(stderr, "quelbrix search: invalid regular expression: %s\n",
                         pattern.GetErrorText());
            return 2;
        }
    }

    ConsoleUi ui(stderr, answerYes, terminal);
    SilentProgress progress;
    MemoryRows rows;
    Platform platform{files, ui, progress, rows};
    // The progress bar is never looked at; any non-null handle asks for one.
    if (withProgress) request.progress = &progress;

    EngineState state;
    InitListView(state, rows, &rows, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT, QUELBRIX_WIDTH_SIZE,
                 QUELBRIX_WIDTH_TIME);
    bool completed = FindFolder(state, platform, request);
    PrintRows(rows, terminal);
    std::fflush(stdout);
    if (reportPath != nullptr && !WriteReport(reportPath, request, rows)) {
        std::fprintf(stderr, "quelbrix search: the report %s could not be written\n", reportPath);
        return 3;
    }
    return completed ? 0 : 1;
}

}  // namespace quelbrix
