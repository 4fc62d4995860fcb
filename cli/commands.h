// The subcommands of the command-line front end `quelbrix`.
#ifndef QUELBRIX_CLI_COMMANDS_H
#define QUELBRIX_CLI_COMMANDS_H

#include <string>

namespace quelbrix {

class TerminalText;

// Each takes the arguments after its own name and returns the process exit status; `terminal`
// converts between what the user types and reads and the engine's Shift_JIS.
int RunSearchCommand(int argc, char** argv, const TerminalText& terminal);
int RunGuessCommand(int argc, char** argv, const TerminalText& terminal);
int RunConvertCommand(int argc, char** argv, const TerminalText& terminal);

// What each command takes, for its usage message and for --help.
std::string SearchUsage();
std::string GuessUsage();
std::string ConvertUsage();

}  // namespace quelbrix

#endif
