// quelbrix: runs the engine's requests from a shell. Usage: quelbrix [--utf8|--no-utf8] COMMAND
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "utf8_terminal.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv, const quelbrix::TerminalText& terminal);
    const char* synopsis;
};

const Command kCommands[] = {
    {"search", quelbrix::RunSearchCommand, "search [options] FOLDER WORD"},
    {"guess", quelbrix::RunGuessCommand, "guess FILE..."},
    {"convert", quelbrix::RunConvertCommand, "convert [--from auto|jis|euc|utf16] FILE"},
};

const char kGlobalUsage[] =
    "usage: quelbrix [--utf8|--no-utf8] COMMAND [ARGS...]\n"
    "       quelbrix --help\n";

const char kGlobalOptions[] =
    "Searches folders for Shift_JIS text as Quelbrix does, without a window.\n"
    "  --utf8       a UTF-8 terminal: WORD and FOLDER are read as UTF-8 and handed to the\n"
    "               engine in Shift_JIS (a character Shift_JIS lacks is refused with status 2);\n"
    "               rows, messages and converted text are printed in UTF-8\n"
    "  --no-utf8    bytes pass through unchanged: Shift_JIS in, Shift_JIS out\n"
    "               (without either, UTF-8 is used when the locale's character set is UTF-8\n"
    "               and standard output is a terminal)\n"
    "  --help, -h   this text\n";

const char kExitStatus[] =
    "Exit status: 0 done, 1 the search ended early or a file could not be read or converted,\n"
    "2 a usage error, 3 the report could not be written.\n";

int Usage() {
    std::fputs(kGlobalUsage, stderr);
    std::fputs("commands:\n", stderr);
    for (const Command& command : kCommands)
        std::fprintf(stderr, "  quelbrix %s\n", command.synopsis);
    return 2;
}

int Help() {
    std::printf("%s\n%s\n%s\n%s\n%s\n%s", kGlobalUsage, kGlobalOptions,
                quelbrix::SearchUsage().c_str(), quelbrix::GuessUsage().c_str(),
                quelbrix::ConvertUsage().c_str(), kExitStatus);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Bytes pass through unchanged: no CR added before each line feed.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    quelbrix::TerminalChoice choice = quelbrix::TerminalChoice::kAuto;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (std::strcmp(argv[first], "--help") == 0 || std::strcmp(argv[first], "-h") == 0)
            return Help();
        if (std::strcmp(argv[first], "--utf8") == 0) {
            choice = quelbrix::TerminalChoice::kUtf8;
        } else if (std::strcmp(argv[first], "--no-utf8") == 0) {
            choice = quelbrix::TerminalChoice::kBytes;
        } else {
            std::fprintf(stderr, "quelbrix: unknown option '%s'\n", argv[first]);
            return Usage();
        }
    }
    if (first >= argc) return Usage();
    // "quelbrix search --help" as well, since that is where one looks.
    if (first + 1 < argc &&
        (std::strcmp(argv[first + 1], "--help") == 0 || std::strcmp(argv[first + 1], "-h") == 0))
        return Help();
    const bool utf8 = quelbrix::UseUtf8(choice, quelbrix::UserLocaleIsUtf8(),
                                        quelbrix::StandardOutputIsTerminal());
    const quelbrix::TerminalText terminal(utf8);
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[first], command.name) == 0)
            return command.run(argc - first - 1, argv + first + 1, terminal);
    }
    std::fprintf(stderr, "quelbrix: unknown command '%s'\n", argv[first]);
    return Usage();
}
