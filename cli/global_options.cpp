#include "global_options.h"

#include <cstring>
#include <iterator>

namespace quelbrix {

namespace {

constexpr Option<GlobalArguments> kGlobalOptions[] = {
    {{"--utf8", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "a UTF-8 terminal: WORD and FOLDER are read as UTF-8 and handed to the\n"
      "engine in Shift_JIS (a character Shift_JIS lacks is refused with status 2);\n"
      "rows, messages and converted text are printed in UTF-8"},
     [](GlobalArguments& a, const OptionValue&) { a.terminal = TerminalChoice::kUtf8; }},
    {{"--no-utf8", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "bytes pass through unchanged: Shift_JIS in, Shift_JIS out\n"
      "(without either, UTF-8 is used when the locale's character set is UTF-8\n"
      "and standard output is a terminal)"},
     [](GlobalArguments& a, const OptionValue&) { a.terminal = TerminalChoice::kBytes; }},
    {{"--help", "-h", OptionKind::kHelp, nullptr, nullptr, "this text"}, nullptr},
};

const CommandEntry* const kCommands[] = {&kSearchEntry, &kGuessEntry, &kConvertEntry};

const char kAbout[] = "Searches folders for Shift_JIS text as Quelbrix does, without a window.\n";

const char kExitStatus[] =
    "Exit status: 0 done, 1 the search ended early or a file could not be read or converted,\n"
    "2 a usage error, 3 the report could not be written.\n";

}  // namespace

constexpr Command<GlobalArguments> kGlobalCommand = {
    {
        nullptr,  // the global level
        OptionSyntax::kLeading,
        {"COMMAND [ARGS...]", 1, kAnyNumber, nullptr, nullptr},
        "unknown option '%s'",
        13,       // the help's column
        nullptr,  // no notes: the help goes on with each command's usage
    },
    kGlobalOptions,
    std::size(kGlobalOptions),
};

ParsedArguments ReadGlobalArguments(int argc, char** argv, GlobalArguments& arguments) {
    ParsedArguments parsed = ParseArguments(kGlobalCommand, argc, argv, arguments);
    if (parsed.outcome == ParseOutcome::kParsed && parsed.operands.size() > 1 &&
        AsksForHelp(OptionsOf(kGlobalCommand), parsed.operands[1]))
        parsed.outcome = ParseOutcome::kHelp;
    return parsed;
}

const CommandEntry* FindCommand(const char* name) {
    for (const CommandEntry* command : kCommands) {
        if (std::strcmp(name, command->name) == 0) return command;
    }
    return nullptr;
}

std::string HelpText() {
    const std::vector<const OptionInfo*> options = OptionsOf(kGlobalCommand);
    std::string text = UsageLines(kGlobalCommand.info, options) + '\n' + kAbout +
                       OptionLines(kGlobalCommand.info, options);
    for (const CommandEntry* command : kCommands) text += '\n' + command->usage();
    return text + '\n' + kExitStatus;
}

std::string GlobalUsage() {
    std::string text = UsageLines(kGlobalCommand.info, OptionsOf(kGlobalCommand)) + "commands:\n";
    for (const CommandEntry* command : kCommands)
        text += "  quelbrix " + command->synopsis() + '\n';
    return text;
}

}  // namespace quelbrix
