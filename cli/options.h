// The command line's arguments, read against each command's declared options. A command
// declares its options in a table (names, the value each takes, what it sets, its help line)
// and its operands; one parser reads every command's arguments by those declarations, and the
// usage and the help are written from the same ones.
#ifndef QUELBRIX_CLI_OPTIONS_H
#define QUELBRIX_CLI_OPTIONS_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace quelbrix {

// The exit status of a usage error.
constexpr int kUsageErrorStatus = 2;

// What an option takes after its name.
enum class OptionKind {
    kFlag,    // nothing
    kHelp,    // nothing; asks for the help at once, and what follows is not read
    kText,    // the next argument as it is, the empty one too
    kName,    // the next argument, which must not be empty (a file name)
    kChoice,  // one of the words of the option's value ("yes|no")
    kNumber,  // a decimal number in the range of an int
};

// The value handed to an option's apply function.
struct OptionValue {
    const char* text = nullptr;  // the argument after the option; nullptr for a flag
    int number = 0;              // kNumber: the number; kChoice: the place of the word among them
};

// What the parser and the usage know of an option.
struct OptionInfo {
    const char* name;   // "--ext"
    const char* alias;  // another name ("-h"), or nullptr
    OptionKind kind;
    const char* value;  // the value as the usage names it ("LIST"); for kChoice its words, "yes|no"
    const char* needs;  // ends the usage error of a missing or wrong value: "--ext needs a list"
    const char* help;   // its line in the usage, '\n' between lines; nullptr: none
};

// An option with what it does to the command's settings, which are a record of the command's
// own: the parser calls `apply` for each option given, in the order given, once every argument
// has been read. nullptr for an option of kind kHelp.
template <typename Settings>
struct Option {
    OptionInfo info;
    void (*apply)(Settings& settings, const OptionValue& value);
};

// Which arguments are options.
enum class OptionSyntax {
    // Options come first, each starting with '-'; the first other argument and all after it
    // are the operands (the global options before the command).
    kLeading,
    // An argument starting with "--" is an option, "--" alone ends the options; options and
    // operands mix.
    kDoubleDash,
    // Only the declared names are options; every other argument is an operand, one that starts
    // with '-' too (guess and convert, whose operands are file names taken as they are).
    kDeclaredOnly,
};

// How many operands a command takes, and what it says about a wrong number.
struct OperandInfo {
    const char* names;    // as the synopsis shows them: "FOLDER WORD", "FILE..."
    int least;            // fewer is a usage error
    int most;             // more is a usage error; kAnyNumber for no limit
    const char* tooFew;   // the usage error for fewer; nullptr: the usage alone
    const char* tooMany;  // the usage error for more
};
constexpr int kAnyNumber = -1;

// A command as the parser and the usage see it, apart from its options.
struct CommandInfo {
    const char* name;  // "search"; nullptr for the global level, whose messages say "quelbrix:"
    OptionSyntax syntax;
    OperandInfo operands;
    const char* unknownOption;  // the usage error for an unknown option; "%s" is replaced by it
    int helpColumn;             // the width of the options' names in front of their help
    const char* notes;          // the lines that follow the options in the usage, or nullptr
};

// A command's declarations.
template <typename Settings>
struct Command {
    CommandInfo info;
    const Option<Settings>* options;
    std::size_t optionCount;
};

enum class ParseOutcome {
    kParsed,      // every argument was read; the options were applied
    kHelp,        // an option of kind kHelp was given
    kUsageError,  // `problem` says what is wrong
};

// An option found on the command line: its place in the command's table and its value.
struct FoundOption {
    std::size_t index;
    OptionValue value;
};

struct ParsedArguments {
    ParseOutcome outcome = ParseOutcome::kParsed;
    std::string problem;             // for kUsageError; empty when the usage alone is told
    std::vector<FoundOption> found;  // in the order given
    std::vector<char*> operands;     // pointers into argv
};

// Reads argv[0..argc) by the command's declarations: what each option found was given and the
// operands, or the first thing wrong, in the order of the arguments.
ParsedArguments ScanArguments(const CommandInfo& command,
                              const std::vector<const OptionInfo*>& options, int argc, char** argv);

// The descriptions of a command's options, in their order.
template <typename Settings>
std::vector<const OptionInfo*> OptionsOf(const Command<Settings>& command) {
    std::vector<const OptionInfo*> infos;
    for (std::size_t i = 0; i < command.optionCount; ++i) infos.push_back(&command.options[i].info);
    return infos;
}

// Reads the arguments and, when they are all right, applies the options found to `settings`.
template <typename Settings>
ParsedArguments ParseArguments(const Command<Settings>& command, int argc, char** argv,
                               Settings& settings) {
    ParsedArguments parsed = ScanArguments(command.info, OptionsOf(command), argc, argv);
    if (parsed.outcome != ParseOutcome::kParsed) return parsed;
    for (const FoundOption& found : parsed.found)
        command.options[found.index].apply(settings, found.value);
    return parsed;
}

// Whether `argument` names an option of kind kHelp.
bool AsksForHelp(const std::vector<const OptionInfo*>& options, const char* argument);

// "search [options] FOLDER WORD": the command's name, options and operands, as the usage shows
// them after "quelbrix". One or two options are spelled out as a choice of one
// ("[--utf8|--no-utf8]"), more are "[options]"; options of kind kHelp have a usage line of
// their own.
std::string Synopsis(const CommandInfo& command, const std::vector<const OptionInfo*>& options);

// "usage: quelbrix search [options] FOLDER WORD\n", and a line "quelbrix --help" below it for
// each option of kind kHelp.
std::string UsageLines(const CommandInfo& command, const std::vector<const OptionInfo*>& options);

// One line per option with a help line: its names and value, then its help from helpColumn on.
std::string OptionLines(const CommandInfo& command, const std::vector<const OptionInfo*>& options);

// The usage lines, the option lines and the notes.
std::string UsageText(const CommandInfo& command, const std::vector<const OptionInfo*>& options);

// Writes "quelbrix COMMAND: PROBLEM" (unless the problem is empty) and the usage to `out`;
// returns kUsageErrorStatus.
int TellUsageError(std::FILE* out, const CommandInfo& command, const std::string& problem,
                   const std::string& usage);

template <typename Settings>
std::string UsageText(const Command<Settings>& command) {
    return UsageText(command.info, OptionsOf(command));
}

template <typename Settings>
std::string Synopsis(const Command<Settings>& command) {
    return Synopsis(command.info, OptionsOf(command));
}

// Tells a usage error on stderr with the command's usage; returns kUsageErrorStatus.
template <typename Settings>
int TellUsageError(const Command<Settings>& command, const std::string& problem) {
    return TellUsageError(stderr, command.info, problem, UsageText(command));
}

// ParseArguments for a command's own arguments: its operands into `operands`, or false after
// telling what is wrong with the command's usage.
template <typename Settings>
bool ReadArguments(const Command<Settings>& command, int argc, char** argv, Settings& settings,
                   std::vector<char*>& operands) {
    ParsedArguments parsed = ParseArguments(command, argc, argv, settings);
    if (parsed.outcome != ParseOutcome::kParsed) {
        TellUsageError(command, parsed.problem);
        return false;
    }
    operands = std::move(parsed.operands);
    return true;
}

}  // namespace quelbrix

#endif
