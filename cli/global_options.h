// The options before the command, the commands, and the help of the whole front end.
#ifndef QUELBRIX_CLI_GLOBAL_OPTIONS_H
#define QUELBRIX_CLI_GLOBAL_OPTIONS_H

#include <string>

#include "commands.h"
#include "options.h"
#include "utf8_terminal.h"

namespace quelbrix {

struct GlobalArguments {
    TerminalChoice terminal = TerminalChoice::kAuto;
};

extern const Command<GlobalArguments> kGlobalCommand;

// Reads the options before the command (argv[0] is the first argument after the program's
// name); the operands are the command and its arguments. "quelbrix COMMAND --help" asks for
// the help as well, since that is where one looks.
ParsedArguments ReadGlobalArguments(int argc, char** argv, GlobalArguments& arguments);

// The command of that name, or nullptr.
const CommandEntry* FindCommand(const char* name);

// What --help prints: the global options, every command's usage and the exit statuses.
std::string HelpText();

// The usage lines and each command's synopsis, for a usage error before the command.
std::string GlobalUsage();

}  // namespace quelbrix

#endif
