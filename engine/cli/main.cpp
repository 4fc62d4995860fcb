// quelbrix: runs the engine's requests from a shell. Usage: quelbrix COMMAND [ARGS...]
#include <cstdio>
#include <cstring>

#include "commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* synopsis;
};

const Command kCommands[] = {
    {"search", quelbrix::RunSearchCommand, "search [options] FOLDER WORD"},
    {"guess", quelbrix::RunGuessCommand, "guess FILE..."},
    {"convert", quelbrix::RunConvertCommand, "convert [--from auto|jis|euc|utf16] FILE"},
};

int Usage() {
    std::fputs("usage: quelbrix COMMAND [ARGS...]\ncommands:\n", stderr);
    for (const Command& command : kCommands)
        std::fprintf(stderr, "  quelbrix %s\n", command.synopsis);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Bytes pass through unchanged: no CR added before each line feed.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc < 2) return Usage();
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "quelbrix: unknown command '%s'\n", argv[1]);
    return Usage();
}
