#include "options.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace quelbrix {

namespace {

const char kProgram[] = "quelbrix";
const char kUsagePrefix[] = "usage: ";
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

std::size_t FindOption(const std::vector<const OptionInfo*>& options, const char* argument) {
    for (std::size_t i = 0; i < options.size(); ++i) {
        const OptionInfo& option = *options[i];
        if (std::strcmp(argument, option.name) == 0 ||
            (option.alias != nullptr && std::strcmp(argument, option.alias) == 0))
            return i;
    }
    return kNotFound;
}

bool TakesValue(OptionKind kind) {
    return kind != OptionKind::kFlag && kind != OptionKind::kHelp;
}

// "-j4": a two-letter alias of an option that takes a value, with the value written on (as grep
// takes -C2). Only where arguments starting with "--" are the options, so that a file name of
// guess or convert is never cut. Sets `value` to what follows the alias.
std::size_t FindAttached(OptionSyntax syntax, const std::vector<const OptionInfo*>& options,
                         const char* argument, const char*& value) {
    if (syntax != OptionSyntax::kDoubleDash || argument[0] != '-' || argument[1] == '-' ||
        argument[1] == '\0' || argument[2] == '\0')
        return kNotFound;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const OptionInfo& option = *options[i];
        if (option.alias != nullptr && TakesValue(option.kind) &&
            std::strncmp(argument, option.alias, 2) == 0 && option.alias[2] == '\0') {
            value = argument + 2;
            return i;
        }
    }
    return kNotFound;
}

// Whether the syntax reads `argument` as an option, declared or not.
bool LooksLikeOption(OptionSyntax syntax, const char* argument) {
    switch (syntax) {
    case OptionSyntax::kLeading:
        return argument[0] == '-';
    case OptionSyntax::kDoubleDash:
        return argument[0] == '-' && argument[1] == '-';
    default:
        return false;
    }
}

// The words of a choice, "yes|no" as {"yes", "no"}.
std::vector<std::string> ChoiceWords(const char* words) {
    std::vector<std::string> split(1);
    for (const char* p = words; *p != '\0'; ++p) {
        if (*p == '|')
            split.emplace_back();
        else
            split.back() += *p;
    }
    return split;
}

// "auto, jis, euc or utf16"
std::string ChoiceList(const char* words) {
    const std::vector<std::string> split = ChoiceWords(words);
    std::string list;
    for (std::size_t i = 0; i < split.size(); ++i) {
        if (i > 0) list += i + 1 == split.size() ? " or " : ", ";
        list += split[i];
    }
    return list;
}

// The whole text as a number of the int range; strtoll saturates, so no larger value passes.
bool ReadNumber(const char* text, int& number) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < INT_MIN || value > INT_MAX) return false;
    number = static_cast<int>(value);
    return true;
}

// The option's value from `text` (nullptr when the arguments ended); false when it is missing
// or wrong, with the usage error in `problem`.
bool ReadValue(const OptionInfo& option, const char* text, OptionValue& value,
               std::string& problem) {
    value.text = text;
    bool read = text != nullptr;
    if (read && option.kind == OptionKind::kName) {
        read = *text != '\0';
    } else if (read && option.kind == OptionKind::kChoice) {
        const std::vector<std::string> words = ChoiceWords(option.value);
        std::size_t i = 0;
        while (i < words.size() && words[i] != text) ++i;
        read = i < words.size();
        value.number = static_cast<int>(i);
    } else if (read && option.kind == OptionKind::kNumber) {
        read = ReadNumber(text, value.number);
    }
    if (!read) {
        problem = option.kind == OptionKind::kChoice
                      ? std::string(option.name) + " takes " + ChoiceList(option.value)
                      : std::string(option.name) + " needs " + option.needs;
    }
    return read;
}

std::string UnknownOption(const CommandInfo& command, const char* argument) {
    std::string problem =
        command.unknownOption != nullptr ? command.unknownOption : "unknown option";
    const std::size_t at = problem.find("%s");
    if (at != std::string::npos) problem.replace(at, 2, argument);
    return problem;
}

std::string OrEmpty(const char* text) { return text != nullptr ? text : ""; }

ParsedArguments Refused(ParsedArguments parsed, std::string problem) {
    parsed.outcome = ParseOutcome::kUsageError;
    parsed.problem = std::move(problem);
    return parsed;
}

}  // namespace

ParsedArguments ScanArguments(const CommandInfo& command,
                              const std::vector<const OptionInfo*>& options, int argc,
                              char** argv) {
    ParsedArguments parsed;
    const OperandInfo& operands = command.operands;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        char* const argument = argv[i];
        if (!optionsEnded && command.syntax == OptionSyntax::kDoubleDash &&
            std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        const char* attached = nullptr;
        std::size_t index = optionsEnded ? kNotFound : FindOption(options, argument);
        if (index == kNotFound && !optionsEnded)
            index = FindAttached(command.syntax, options, argument, attached);
        const bool operand =
            index == kNotFound && (optionsEnded || !LooksLikeOption(command.syntax, argument));
        if (operand) {
            if (command.syntax == OptionSyntax::kLeading) optionsEnded = true;
            if (operands.most != kAnyNumber &&
                parsed.operands.size() == static_cast<std::size_t>(operands.most))
                return Refused(std::move(parsed), OrEmpty(operands.tooMany));
            parsed.operands.push_back(argument);
            continue;
        }
        if (index == kNotFound) return Refused(std::move(parsed), UnknownOption(command, argument));
        const OptionInfo& option = *options[index];
        if (option.kind == OptionKind::kHelp) {
            parsed.outcome = ParseOutcome::kHelp;
            return parsed;
        }
        FoundOption found{index, {}};
        if (option.kind != OptionKind::kFlag) {
            const char* const text = attached != nullptr ? attached
                                     : i + 1 < argc      ? argv[++i]
                                                         : nullptr;
            std::string problem;
            if (!ReadValue(option, text, found.value, problem))
                return Refused(std::move(parsed), problem);
        }
        parsed.found.push_back(found);
    }
    if (parsed.operands.size() < static_cast<std::size_t>(operands.least))
        return Refused(std::move(parsed), OrEmpty(operands.tooFew));
    return parsed;
}

bool AsksForHelp(const std::vector<const OptionInfo*>& options, const char* argument) {
    const std::size_t index = FindOption(options, argument);
    return index != kNotFound && options[index]->kind == OptionKind::kHelp;
}

std::string Synopsis(const CommandInfo& command, const std::vector<const OptionInfo*>& options) {
    std::vector<std::string> shown;
    for (const OptionInfo* option : options) {
        if (option->kind == OptionKind::kHelp) continue;
        shown.push_back(option->name);
        if (option->value != nullptr) shown.back() += std::string(" ") + option->value;
    }
    std::string optionPart;
    if (shown.size() > 2) {
        optionPart = "[options]";
    } else if (!shown.empty()) {
        optionPart = "[" + shown[0] + (shown.size() == 2 ? "|" + shown[1] : "") + "]";
    }
    std::string synopsis = command.name != nullptr ? command.name : "";
    for (const std::string& part : {optionPart, std::string(command.operands.names)}) {
        if (part.empty()) continue;
        if (!synopsis.empty()) synopsis += ' ';
        synopsis += part;
    }
    return synopsis;
}

std::string UsageLines(const CommandInfo& command, const std::vector<const OptionInfo*>& options) {
    const std::string program = std::string(kProgram) + ' ';
    std::string lines = kUsagePrefix + program + Synopsis(command, options) + '\n';
    for (const OptionInfo* option : options) {
        if (option->kind != OptionKind::kHelp) continue;
        // Under the program's name in the line above.
        lines += std::string(std::strlen(kUsagePrefix), ' ') + program;
        if (command.name != nullptr) lines += std::string(command.name) + ' ';
        lines += std::string(option->name) + '\n';
    }
    return lines;
}

std::string OptionLines(const CommandInfo& command, const std::vector<const OptionInfo*>& options) {
    const std::size_t indent = 2;
    std::string lines;
    for (const OptionInfo* option : options) {
        if (option->help == nullptr) continue;
        std::string names = option->name;
        if (option->alias != nullptr) names += std::string(", ") + option->alias;
        if (option->value != nullptr) names += std::string(" ") + option->value;
        const std::size_t column = static_cast<std::size_t>(command.helpColumn);
        lines += std::string(indent, ' ') + names;
        lines += std::string(names.size() + 2 > column ? 2 : column - names.size(), ' ');
        for (const char* p = option->help; *p != '\0'; ++p) {
            lines += *p;
            if (*p == '\n') lines += std::string(indent + column, ' ');
        }
        lines += '\n';
    }
    return lines;
}

std::string UsageText(const CommandInfo& command, const std::vector<const OptionInfo*>& options) {
    return UsageLines(command, options) + OptionLines(command, options) +
           (command.notes != nullptr ? command.notes : "");
}

int TellUsageError(std::FILE* out, const CommandInfo& command, const std::string& problem,
                   const std::string& usage) {
    if (!problem.empty()) {
        std::fprintf(out, "%s%s%s: %s\n", kProgram, command.name != nullptr ? " " : "",
                     command.name != nullptr ? command.name : "", problem.c_str());
    }
    std::fputs(usage.c_str(), out);
    return kUsageErrorStatus;
}

}  // namespace quelbrix
