// The arguments of `quelbrix search [options] FOLDER WORD`, read by its declared options.
#ifndef QUELBRIX_CLI_SEARCH_OPTIONS_H
#define QUELBRIX_CLI_SEARCH_OPTIONS_H

#include "engine/search_request.h"
#include "options.h"

namespace quelbrix {

struct SearchArguments {
    SearchRequest request;         // as the options set it; folder and word are left to the caller
    const char* folder = nullptr;  // FOLDER (never empty) and WORD as typed
    const char* word = nullptr;
    bool answerYes = true;  // how the engine's questions are answered
    bool withProgress = false;
    const char* reportPath = nullptr;  // where the rows also go as a result report, or nullptr
};

extern const Command<SearchArguments> kSearchCommand;

// Reads the arguments after "search"; false after telling a usage error on stderr.
bool ReadSearchArguments(int argc, char** argv, SearchArguments& arguments);

}  // namespace quelbrix

#endif
