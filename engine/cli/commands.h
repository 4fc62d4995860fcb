// The subcommands of the command-line front end `quelbrix`.
#ifndef QUELBRIX_CLI_COMMANDS_H
#define QUELBRIX_CLI_COMMANDS_H

namespace quelbrix {

// Each takes the arguments after its own name and returns the process exit status.
int RunSearchCommand(int argc, char** argv);
int RunGuessCommand(int argc, char** argv);
int RunConvertCommand(int argc, char** argv);

}  // namespace quelbrix

#endif
