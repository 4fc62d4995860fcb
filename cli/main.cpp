// quelbrix: runs the engine's requests from a shell. Usage: quelbrix [--utf8|--no-utf8] COMMAND
#include <cstdio>
#include <string>

#include "global_options.h"
#include "utf8_terminal.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Bytes pass through unchanged: no CR added before each line feed.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    quelbrix::GlobalArguments arguments;
    quelbrix::ParsedArguments parsed = quelbrix::ReadGlobalArguments(argc - 1, argv + 1, arguments);
    if (parsed.outcome == quelbrix::ParseOutcome::kHelp) {
        std::fputs(quelbrix::HelpText().c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (parsed.outcome == quelbrix::ParseOutcome::kUsageError) {
        return quelbrix::TellUsageError(stderr, quelbrix::kGlobalCommand.info, parsed.problem,
                                        quelbrix::GlobalUsage());
    }
    const bool utf8 = quelbrix::UseUtf8(arguments.terminal, quelbrix::UserLocaleIsUtf8(),
                                        quelbrix::StandardOutputIsTerminal());
    const quelbrix::TerminalText terminal(utf8);
    const char* const name = parsed.operands[0];
    const quelbrix::CommandEntry* const command = quelbrix::FindCommand(name);
    if (command == nullptr) {
        return quelbrix::TellUsageError(stderr, quelbrix::kGlobalCommand.info,
                                        std::string("unknown command '") + name + "'",
                                        quelbrix::GlobalUsage());
    }
    return command->run(static_cast<int>(parsed.operands.size()) - 1, parsed.operands.data() + 1,
                        terminal);
}
