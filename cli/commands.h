// The subcommands of the command-line front end `quelbrix`.
#ifndef QUELBRIX_CLI_COMMANDS_H
#define QUELBRIX_CLI_COMMANDS_H

#include <string>

namespace quelbrix {

class TerminalText;

// The exit statuses besides the usage error's (kUsageErrorStatus, 2), as --help lists them.
constexpr int kDoneStatus = 0;
constexpr int kEndedEarlyStatus = 1;  // the search ended early, or a file could not be read
                                      // or converted
constexpr int kReportNotWrittenStatus = 3;

// A command as main runs it and as the help shows it, both made from its declarations.
struct CommandEntry {
    const char* name;
    // Takes the arguments after the command's name and returns the process exit status;
    // `terminal` converts between what the user types and reads and the engine's Shift_JIS.
    int (*run)(int argc, char** argv, const TerminalText& terminal);
    std::string (*synopsis)();  // "search [options] FOLDER WORD"
    std::string (*usage)();     // what it takes, for its usage errors and for --help
};

extern const CommandEntry kSearchEntry;
extern const CommandEntry kGuessEntry;
extern const CommandEntry kConvertEntry;

}  // namespace quelbrix

#endif
