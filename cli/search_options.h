// The arguments of `quelbrix search [options] FOLDER WORD`, read by its declared options.
#ifndef QUELBRIX_CLI_SEARCH_OPTIONS_H
#define QUELBRIX_CLI_SEARCH_OPTIONS_H

#include <string>

#include "engine/search_request.h"
#include "grep_colors.h"
#include "options.h"

namespace quelbrix {

// What stdout carries: the rows, or the hit lines in one of their forms.
enum class LineForm { kRows, kLines, kVimgrep, kJson };

struct SearchArguments {
    SearchRequest request;         // as the options set it; folder and word are left to the caller
    const char* folder = nullptr;  // FOLDER (never empty) and WORD as typed
    const char* word = nullptr;
    bool answerYes = true;  // how the engine's questions are answered
    bool withProgress = false;
    const char* reportPath = nullptr;     // where the rows also go as a result report, or nullptr
    // Every --exclude-dir list as typed, joined by ';'; request.excludeFolders points into it,
    // so the arguments are read and used where they stand, never copied.
    std::string excludeFolders;
    LineForm lineForm = LineForm::kRows;  // --context alone gives kLines
    unsigned formsGiven = 0;              // while reading: a bit for each form's option
    bool contextGiven = false;
    int contextLines = 0;  // never negative once read
    ColorChoice color = ColorChoice::kAuto;
    int maxColumns = 0;  // 0: off; never negative once read
    int threads = 0;     // files matched at once; 1 to kMaxSearchThreads once read
};

// The threads a search runs on unless told: one per processor.
int DefaultSearchThreads();

extern const Command<SearchArguments> kSearchCommand;

// Reads the arguments after "search"; false after telling a usage error on stderr.
bool ReadSearchArguments(int argc, char** argv, SearchArguments& arguments);

// Once the options are applied: false with the usage error in `problem` when the threads
// asked for are not 1 to kMaxSearchThreads.
bool CheckSearchThreads(const SearchArguments& arguments, std::string& problem);

// Once the options are applied: the one line form given (--context alone: kLines), or false
// with the usage error in `problem`.
bool ResolveLineForm(SearchArguments& arguments, std::string& problem);

}  // namespace quelbrix

#endif
