// The command line's parser and usage: over a command declared here with an option of every
// kind, then over the front end's own declarations.
#include "options.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "global_options.h"
#include "grexmo/grexmo.h"
#include "kanji_options.h"
#include "search_options.h"
#include "engine/search_driver.h"

namespace {

using quelbrix::Command;
using quelbrix::Option;
using quelbrix::OptionKind;
using quelbrix::OptionSyntax;
using quelbrix::OptionValue;
using quelbrix::ParseOutcome;

struct Settings {
    bool flag = false;
    std::string text = "unset";
    std::string name = "unset";
    int choice = -1;
    int number = 0;
    std::string applied;  // one letter per option applied, in order
};

// Notes the option's letter, in the order the parser applies them.
Settings& Applied(Settings& settings, char letter) {
    settings.applied += letter;
    return settings;
}

constexpr Option<Settings> kOptions[] = {
    {{"--flag", nullptr, OptionKind::kFlag, nullptr, nullptr, "a flag"},
     [](Settings& s, const OptionValue&) { Applied(s, 'f').flag = true; }},
    {{"--text", nullptr, OptionKind::kText, "TEXT", "a text", "any text\nover two lines"},
     [](Settings& s, const OptionValue& v) { Applied(s, 't').text = v.text; }},
    {{"--name", "-n", OptionKind::kName, "FILE", "a file name", "a file"},
     [](Settings& s, const OptionValue& v) { Applied(s, 'n').name = v.text; }},
    {{"--choice", nullptr, OptionKind::kChoice, "one|two|three", nullptr, nullptr},
     [](Settings& s, const OptionValue& v) { Applied(s, 'c').choice = v.number; }},
    {{"--number", nullptr, OptionKind::kNumber, "N", "a number", "an int"},
     [](Settings& s, const OptionValue& v) { Applied(s, 'N').number = v.number; }},
    {{"--help", "-h", OptionKind::kHelp, nullptr, nullptr, "this text"}, nullptr},
};

Command<Settings> TestCommand(OptionSyntax syntax) {
    return {{"test",
             syntax,
             {"A [B]", 1, 2, "A is needed", "too many"},
             "unknown option '%s'",
             14,
             "notes\n"},
            kOptions,
            std::size(kOptions)};
}

struct Outcome {
    std::vector<std::string> words;  // the arguments, which settings may point into
    ParseOutcome outcome = ParseOutcome::kParsed;
    std::string problem;
    std::vector<std::string> operands;
    Settings settings;
};

template <typename S>
Outcome Parse(const Command<S>& command, std::vector<std::string> words, S& settings) {
    Outcome outcome;
    outcome.words = std::move(words);  // moved on with the outcome, each word where it is
    std::vector<char*> argv;
    for (std::string& word : outcome.words) argv.push_back(&word[0]);
    const quelbrix::ParsedArguments parsed =
        ParseArguments(command, static_cast<int>(argv.size()), argv.data(), settings);
    outcome.outcome = parsed.outcome;
    outcome.problem = parsed.problem;
    outcome.operands.assign(parsed.operands.begin(), parsed.operands.end());
    return outcome;
}

Outcome Parse(std::vector<std::string> words, OptionSyntax syntax = OptionSyntax::kDoubleDash) {
    Settings settings;
    Outcome outcome = Parse(TestCommand(syntax), std::move(words), settings);
    outcome.settings = settings;
    return outcome;
}

struct ErrorCase {
    std::vector<std::string> words;
    std::string problem;
};

TEST(Options, EachUsageErrorSaysWhatIsWrongAndAppliesNothing) {
    const ErrorCase cases[] = {
        {{"--text"}, "--text needs a text"},
        {{"a", "--name"}, "--name needs a file name"},
        {{"--name", "", "a"}, "--name needs a file name"},
        {{"-n", "", "a"}, "--name needs a file name"},
        {{"--choice"}, "--choice takes one, two or three"},
        {{"--choice", "four", "a"}, "--choice takes one, two or three"},
        {{"--choice", "One", "a"}, "--choice takes one, two or three"},
        {{"--number"}, "--number needs a number"},
        {{"--number", "x", "a"}, "--number needs a number"},
        {{"--number", "", "a"}, "--number needs a number"},
        {{"--number", "1 ", "a"}, "--number needs a number"},
        {{"--number", "0x10", "a"}, "--number needs a number"},
        {{"--number", "2147483648", "a"}, "--number needs a number"},
        {{"--number", "-2147483649", "a"}, "--number needs a number"},
        {{"--number", "99999999999999999999", "a"}, "--number needs a number"},
        {{"--flag", "--bogus", "a"}, "unknown option '--bogus'"},
        {{"--flag=1", "a"}, "unknown option '--flag=1'"},
        {{}, "A is needed"},
        {{"--flag"}, "A is needed"},
        {{"a", "b", "c"}, "too many"},
        {{"--", "a", "b", "c"}, "too many"},
        {{"a", "b", "c", "--bogus"}, "too many"},  // the first thing wrong, in order
        {{"a", "--bogus", "b", "c"}, "unknown option '--bogus'"},
    };
    for (const ErrorCase& c : cases) {
        const Outcome outcome = Parse(c.words);
        EXPECT_EQ(outcome.outcome, ParseOutcome::kUsageError) << c.problem;
        EXPECT_EQ(outcome.problem, c.problem);
        EXPECT_EQ(outcome.settings.applied, "") << c.problem;
    }
}

TEST(Options, ValuesReachTheSettingsInTheOrderGiven) {
    Outcome o = Parse({"--number", "-2147483648", "a", "--choice", "three", "-n", "f"});
    EXPECT_EQ(o.outcome, ParseOutcome::kParsed);
    EXPECT_EQ(o.settings.number, INT_MIN);
    EXPECT_EQ(o.settings.choice, 2);
    EXPECT_EQ(o.settings.name, "f");
    EXPECT_EQ(o.settings.applied, "Ncn");
    EXPECT_EQ(Parse({"--number", "2147483647", "a"}).settings.number, INT_MAX);
    EXPECT_EQ(Parse({"--number", " +7", "a"}).settings.number, 7);  // as strtol reads it
    o = Parse({"--number", "1", "a", "--number", "2"});
    EXPECT_EQ(o.settings.number, 2);  // the last one given
    EXPECT_EQ(o.settings.applied, "NN");
    // An empty text is a value; a value is never read as an option.
    EXPECT_EQ(Parse({"--text", "", "a"}).settings.text, "");
    o = Parse({"--text", "--flag", "a"});
    EXPECT_EQ(o.settings.text, "--flag");
    EXPECT_FALSE(o.settings.flag);
}

struct OperandCase {
    std::vector<std::string> words;
    OptionSyntax syntax;
    std::vector<std::string> operands;
    std::string applied;
};

TEST(Options, OperandsByTheCommandsSyntax) {
    const OptionSyntax kDoubleDash = OptionSyntax::kDoubleDash;
    const OptionSyntax kLeading = OptionSyntax::kLeading;
    const OptionSyntax kDeclaredOnly = OptionSyntax::kDeclaredOnly;
    const OperandCase cases[] = {
        {{"a", "--flag", "b"}, kDoubleDash, {"a", "b"}, "f"},
        {{"--", "--flag", "-n"}, kDoubleDash, {"--flag", "-n"}, ""},
        {{"a", "--", "--"}, kDoubleDash, {"a", "--"}, ""},
        {{"-x", "-"}, kDoubleDash, {"-x", "-"}, ""},
        {{"-n", "f", "a"}, kDoubleDash, {"a"}, "n"},
        {{"--flag", "a", "--flag"}, kLeading, {"a", "--flag"}, "f"},
        {{"a", "--bogus"}, kLeading, {"a", "--bogus"}, ""},
        {{"--bogus", "--"}, kDeclaredOnly, {"--bogus", "--"}, ""},
        {{"-", "--flag"}, kDeclaredOnly, {"-"}, "f"},
    };
    for (const OperandCase& c : cases) {
        const Outcome outcome = Parse(c.words, c.syntax);
        EXPECT_EQ(outcome.outcome, ParseOutcome::kParsed) << outcome.problem;
        EXPECT_EQ(outcome.operands, c.operands);
        EXPECT_EQ(outcome.settings.applied, c.applied);
    }
    // Before the first operand every argument starting with '-' is an option.
    EXPECT_EQ(Parse({"-"}, kLeading).problem, "unknown option '-'");
    EXPECT_EQ(Parse({"--", "a"}, kLeading).problem, "unknown option '--'");
}

TEST(Options, HelpStopsTheReading) {
    EXPECT_EQ(Parse({"--help", "--bogus"}).outcome, ParseOutcome::kHelp);
    EXPECT_EQ(Parse({"--flag", "-h"}).outcome, ParseOutcome::kHelp);
    EXPECT_EQ(Parse({"--bogus", "--help"}).problem, "unknown option '--bogus'");
    EXPECT_EQ(Parse({"--", "--help"}).outcome, ParseOutcome::kParsed);
}

TEST(Options, UsageLinesUpEachOptionsHelp) {
    EXPECT_EQ(UsageText(TestCommand(OptionSyntax::kDoubleDash)),
              "usage: quelbrix test [options] A [B]\n"
              "       quelbrix test --help\n"
              "  --flag        a flag\n"
              "  --text TEXT   any text\n"
              "                over two lines\n"
              "  --name, -n FILE  a file\n"
              "  --number N    an int\n"
              "  --help, -h    this text\n"
              "notes\n");
}

// A command of one or two options shows them in its synopsis, of more "[options]".
TEST(Options, SynopsisSpellsOutOneOrTwoOptions) {
    quelbrix::CommandInfo info = TestCommand(OptionSyntax::kDoubleDash).info;
    const struct {
        std::size_t first, count;
        const char* synopsis;
    } cases[] = {
        {0, 0, "test A [B]"},
        {3, 1, "test [--choice one|two|three] A [B]"},
        {0, 2, "test [--flag|--text TEXT] A [B]"},
        {0, 3, "test [options] A [B]"},
        {4, 2, "test [--number N] A [B]"},  // --help has a line of its own
    };
    for (const auto& c : cases)
        EXPECT_EQ(Synopsis(Command<Settings>{info, kOptions + c.first, c.count}), c.synopsis);
    info.name = nullptr;
    EXPECT_EQ(Synopsis(Command<Settings>{info, nullptr, 0}), "A [B]");
}

std::string Told(const quelbrix::CommandInfo& command, const std::string& problem) {
    std::FILE* file = std::tmpfile();
    EXPECT_EQ(quelbrix::TellUsageError(file, command, problem, "usage\n"),
              quelbrix::kUsageErrorStatus);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

TEST(Options, UsageErrorNamesTheCommand) {
    quelbrix::CommandInfo info = TestCommand(OptionSyntax::kDoubleDash).info;
    EXPECT_EQ(Told(info, "too many"), "quelbrix test: too many\nusage\n");
    EXPECT_EQ(Told(info, ""), "usage\n");
    info.name = nullptr;
    EXPECT_EQ(Told(info, "unknown command 'x'"), "quelbrix: unknown command 'x'\nusage\n");
}

TEST(Options, SearchOptionsMakeTheRequest) {
    quelbrix::SearchArguments a;
    const Outcome o = Parse(quelbrix::kSearchCommand,
                            {"--ext", "txt,", "--regex", "--subfolders", "--relative", "--no-count",
                             "--no-convert", "--utf8-files", "--progress", "--error-policy", "-7",
                             "--answer", "no", "--report", "r.txt", "F", "W"},
                            a);
    ASSERT_EQ(o.outcome, ParseOutcome::kParsed) << o.problem;
    const quelbrix::SearchRequest& r = a.request;
    EXPECT_STREQ(r.extensions, "txt,");
    EXPECT_TRUE(r.useRegex && r.searchSubfolders && r.relativePaths);
    EXPECT_FALSE(r.countHits || r.convertCodes);
    EXPECT_TRUE(r.convertUtf8 && a.withProgress);
    EXPECT_EQ(r.errorPolicy, static_cast<quelbrix::ErrorPolicy>(-7));
    EXPECT_FALSE(a.answerYes);
    EXPECT_STREQ(a.reportPath, "r.txt");
    EXPECT_EQ(o.operands, (std::vector<std::string>{"F", "W"}));

    quelbrix::SearchArguments yes;
    EXPECT_EQ(Parse(quelbrix::kSearchCommand, {"--answer", "no", "--answer", "yes", "F", "W"}, yes)
                  .outcome,
              ParseOutcome::kParsed);
    EXPECT_TRUE(yes.answerYes);
}

// Each --exclude-dir adds its list to the ones before, joined by ';'; none leaves the
// request's list empty.
TEST(Options, SearchJoinsRepeatedExcludeDirLists) {
    const struct {
        std::vector<std::string> words;
        const char* joined;
    } cases[] = {
        {{"F", "W"}, ""},
        {{"--exclude-dir", "obj", "F", "W"}, "obj"},
        {{"--exclude-dir", ".git;obj", "--exclude-dir", "bin", "F", "W"}, ".git;obj;bin"},
        {{"--exclude-dir", "a", "F", "--exclude-dir", " b ", "W"}, "a; b "},
    };
    for (const auto& c : cases) {
        quelbrix::SearchArguments a;
        const Outcome o = Parse(quelbrix::kSearchCommand, c.words, a);
        ASSERT_EQ(o.outcome, ParseOutcome::kParsed) << o.problem;
        EXPECT_STREQ(a.request.excludeFolders, c.joined) << c.words[0];
    }
}

TEST(Options, SearchSaysWhatItNeeds) {
    const ErrorCase cases[] = {
        {{"--ext"}, "--ext needs a list"},
        {{"--exclude-dir"}, "--exclude-dir needs a list"},
        {{"--error-policy", "x", "F", "W"}, "--error-policy needs a number"},
        {{"--answer", "maybe", "F", "W"}, "--answer takes yes or no"},
        {{"--report", "", "F", "W"}, "--report needs a file name"},
        {{"--regex=1", "F", "W"}, "unknown option"},
        {{"F"}, "FOLDER and WORD are needed"},
        {{"F", "W", "X"}, "too many arguments"},
    };
    for (const ErrorCase& c : cases) {
        quelbrix::SearchArguments search;
        EXPECT_EQ(Parse(quelbrix::kSearchCommand, c.words, search).problem, c.problem);
    }
}

struct FoldCase {
    std::vector<std::string> words;
    unsigned folds;
    std::vector<std::string> operands;
};

// Each switch adds its fold, wherever it stands among the operands; none of them turns the word
// into an expression. There are no clusters: "-iw" is an operand like any word starting with
// a dash, and only "-i" is a short name.
TEST(Options, SearchFoldsByEachSwitch) {
    const unsigned kCase = kGrexmoFoldCase, kWidth = kGrexmoFoldWidth, kKana = kGrexmoFoldKana;
    const FoldCase cases[] = {
        {{"F", "W"}, 0, {"F", "W"}},
        {{"--ignore-case", "F", "W"}, kCase, {"F", "W"}},
        {{"-i", "F", "W"}, kCase, {"F", "W"}},
        {{"--ignore-width", "F", "W"}, kWidth, {"F", "W"}},
        {{"--ignore-kana", "F", "W"}, kKana, {"F", "W"}},
        {{"F", "--ignore-kana", "W", "-i"}, kCase | kKana, {"F", "W"}},
        {{"--ignore-width", "-i", "--ignore-kana", "F", "W"}, kCase | kWidth | kKana, {"F", "W"}},
        {{"-i", "--ignore-case", "-i", "F", "W"}, kCase, {"F", "W"}},
        {{"--regex", "--ignore-width", "-C", "1", "F", "W"}, kWidth, {"F", "W"}},
        {{"F", "-iw"}, 0, {"F", "-iw"}},
        {{"--ignore-kana", "F", "-I"}, kKana, {"F", "-I"}},
        {{"-i", "--", "F", "-i"}, kCase, {"F", "-i"}},  // after "--" a word as typed
    };
    for (const FoldCase& c : cases) {
        quelbrix::SearchArguments a;
        const Outcome o = Parse(quelbrix::kSearchCommand, c.words, a);
        ASSERT_EQ(o.outcome, ParseOutcome::kParsed) << c.words[0] << ": " << o.problem;
        EXPECT_EQ(a.request.folds, c.folds) << c.words[0] << " " << c.words[1];
        EXPECT_EQ(o.operands, c.operands) << c.words[0];
        EXPECT_EQ(a.request.useRegex, c.words[0] == "--regex") << c.words[0];
    }
}

TEST(Options, SearchRefusesMisspeltFolds) {
    const ErrorCase cases[] = {
        {{"--ignore-cases", "F", "W"}, "unknown option"},
        {{"--ignore-width=1", "F", "W"}, "unknown option"},
        {{"--ignore", "F", "W"}, "unknown option"},
        {{"--i", "F", "W"}, "unknown option"},
        {{"-i", "F", "-iw", "W"}, "too many arguments"},  // no cluster: a third operand
        {{"-i", "F"}, "FOLDER and WORD are needed"},
    };
    for (const ErrorCase& c : cases) {
        quelbrix::SearchArguments search;
        const Outcome o = Parse(quelbrix::kSearchCommand, c.words, search);
        EXPECT_EQ(o.outcome, ParseOutcome::kUsageError) << c.words[0];
        EXPECT_EQ(o.problem, c.problem) << c.words[0];
        EXPECT_EQ(search.request.folds, 0u) << c.words[0];
    }
}

struct LineFormCase {
    std::vector<std::string> words;  // before FOLDER and WORD
    quelbrix::LineForm form;
    int contextLines;
    const char* problem;  // nullptr: none
};

TEST(Options, SearchReadsOneLineForm) {
    using quelbrix::LineForm;
    const char* const exclusive = "--lines, --vimgrep and --json exclude each other";
    const LineFormCase cases[] = {
        {{}, LineForm::kRows, 0, nullptr},
        {{"--lines"}, LineForm::kLines, 0, nullptr},
        {{"--lines", "--lines"}, LineForm::kLines, 0, nullptr},
        {{"--vimgrep"}, LineForm::kVimgrep, 0, nullptr},
        {{"--json", "-C", "2"}, LineForm::kJson, 2, nullptr},
        {{"--context", "3"}, LineForm::kLines, 3, nullptr},  // context alone: lines
        {{"-C", "0"}, LineForm::kLines, 0, nullptr},
        {{"--vimgrep", "--context", "1"}, LineForm::kVimgrep, 1, nullptr},
        {{"--lines", "--json"}, LineForm::kRows, 0, exclusive},
        {{"--vimgrep", "--lines"}, LineForm::kRows, 0, exclusive},
        {{"--json", "--vimgrep"}, LineForm::kRows, 0, exclusive},
        {{"--context", "-1"}, LineForm::kRows, 0, "--context needs a number of 0 or more"},
        {{"--max-columns", "-5"}, LineForm::kRows, 0, "--max-columns needs a number of 0 or more"},
    };
    for (const LineFormCase& c : cases) {
        std::vector<std::string> words = c.words;
        words.insert(words.end(), {"F", "W"});
        quelbrix::SearchArguments a;
        ASSERT_EQ(Parse(quelbrix::kSearchCommand, words, a).outcome, ParseOutcome::kParsed);
        std::string problem;
        const bool resolved = quelbrix::ResolveLineForm(a, problem);
        EXPECT_EQ(resolved, c.problem == nullptr) << words[0];
        if (!resolved) {
            EXPECT_EQ(problem, c.problem);
            continue;
        }
        EXPECT_EQ(a.lineForm, c.form) << words[0];
        EXPECT_EQ(a.contextLines, c.contextLines) << words[0];
    }
}

TEST(Options, SearchReadsColoursAndColumns) {
    quelbrix::SearchArguments a;
    ASSERT_EQ(
        Parse(quelbrix::kSearchCommand, {"--color", "never", "--max-columns", "80", "F", "W"}, a)
            .outcome,
        ParseOutcome::kParsed);
    EXPECT_EQ(a.color, quelbrix::ColorChoice::kNever);
    EXPECT_EQ(a.maxColumns, 80);
    for (const char* word : {"auto", "always"}) {
        quelbrix::SearchArguments b;
        Parse(quelbrix::kSearchCommand, {"--color", word, "F", "W"}, b);
        EXPECT_EQ(b.color, std::string(word) == "auto" ? quelbrix::ColorChoice::kAuto
                                                       : quelbrix::ColorChoice::kAlways);
    }
    quelbrix::SearchArguments c;
    EXPECT_EQ(Parse(quelbrix::kSearchCommand, {"--color", "yes", "F", "W"}, c).problem,
              "--color takes auto, always or never");
    EXPECT_EQ(Parse(quelbrix::kSearchCommand, {"F", "W", "-C"}, c).problem,
              "--context needs a number");  // by its name, whichever was typed
}

// A two-letter name's value may be written on, where "--" starts the options; a flag's
// two-letter name with more after it stays a word, and so does everything under the other
// syntaxes, whose operands are taken as typed.
TEST(Options, ShortNameTakesItsValueWrittenOn) {
    const Outcome joined = Parse({"-nfile", "a"});
    ASSERT_EQ(joined.outcome, ParseOutcome::kParsed) << joined.problem;
    EXPECT_EQ(joined.settings.name, "file");
    EXPECT_EQ(joined.operands, std::vector<std::string>{"a"});
    EXPECT_EQ(Parse({"-hx", "a"}).operands, (std::vector<std::string>{"-hx", "a"}));
    EXPECT_EQ(Parse({"--", "-nfile", "a"}).operands, (std::vector<std::string>{"-nfile", "a"}));
    const Outcome declared = Parse({"-nfile", "a"}, OptionSyntax::kDeclaredOnly);
    EXPECT_EQ(declared.settings.name, "unset");
    EXPECT_EQ(declared.operands, (std::vector<std::string>{"-nfile", "a"}));
    EXPECT_EQ(Parse({"-nfile", "a"}, OptionSyntax::kLeading).problem, "unknown option '-nfile'");
}

TEST(Options, SearchThreadsFromOneToTheMost) {
    struct ThreadCase {
        std::vector<std::string> words;
        int threads;  // 0: refused
    };
    const std::string most = std::to_string(quelbrix::kMaxSearchThreads);
    const std::string tooMany = std::to_string(quelbrix::kMaxSearchThreads + 1);
    const ThreadCase cases[] = {
        {{"-j", "4"}, 4},  {{"-j4"}, 4},         {{"--threads", "1"}, 1}, {{"-j1"}, 1},
        {{"-j" + most}, static_cast<int>(quelbrix::kMaxSearchThreads)},
        {{"-j0"}, 0},      {{"--threads", "0"}, 0}, {{"-j", "-2"}, 0},   {{"-j" + tooMany}, 0},
    };
    for (const ThreadCase& c : cases) {
        std::vector<std::string> words = c.words;
        words.insert(words.end(), {"F", "W"});
        quelbrix::SearchArguments a;
        ASSERT_EQ(Parse(quelbrix::kSearchCommand, words, a).outcome, ParseOutcome::kParsed)
            << words[0];
        std::string problem;
        EXPECT_EQ(quelbrix::CheckSearchThreads(a, problem), c.threads != 0) << words[0];
        if (c.threads != 0) {
            EXPECT_EQ(a.threads, c.threads);
        } else {
            EXPECT_EQ(problem, "--threads needs a number from 1 to " + most);
        }
    }
    quelbrix::SearchArguments a;
    for (const char* word : {"-jx", "-j4x", "-j"}) {
        std::vector<std::string> words = {"F", "W", word};
        EXPECT_EQ(Parse(quelbrix::kSearchCommand, words, a).problem, "--threads needs a number")
            << word;
    }
    EXPECT_GE(quelbrix::DefaultSearchThreads(), 1);
}

TEST(Options, ConvertTakesOneFileAndOneOfItsWords) {
    quelbrix::ConvertArguments convert;
    EXPECT_EQ(Parse(quelbrix::kConvertCommand, {"f", "--from", "utf16"}, convert).operands,
              std::vector<std::string>{"f"});
    EXPECT_EQ(convert.from, quelbrix::ConvertFrom::kUtf16);
    const ErrorCase cases[] = {
        {{"--from", "sjis", "f"}, "--from takes auto, jis, euc or utf16"},
        {{"--from", "euc"}, "FILE is needed"},
        {{"f", "g", "--from", "x"}, "one FILE only"},
    };
    for (const ErrorCase& c : cases) {
        quelbrix::ConvertArguments arguments;
        EXPECT_EQ(Parse(quelbrix::kConvertCommand, c.words, arguments).problem, c.problem);
    }
}

// Whether `text` holds `name` as a whole name ("--utf8" is not in "--utf8-files").
bool Names(const std::string& text, const std::string& name) {
    const std::string nameCharacters = "abcdefghijklmnopqrstuvwxyz0123456789-";
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (end == text.size() || nameCharacters.find(text[end]) == std::string::npos) return true;
    }
    return false;
}

// Every option each command declares, by each of its names, is in --help; a command's own
// options are in its usage too.
TEST(Options, HelpListsEveryDeclaredOption) {
    const std::string help = quelbrix::HelpText();
    const std::vector<std::pair<std::vector<const quelbrix::OptionInfo*>, std::string>> commands = {
        {OptionsOf(quelbrix::kGlobalCommand), help},
        {OptionsOf(quelbrix::kSearchCommand), quelbrix::kSearchEntry.usage()},
        {OptionsOf(quelbrix::kConvertCommand), quelbrix::kConvertEntry.usage()}};
    for (const auto& [options, usage] : commands) {
        for (const quelbrix::OptionInfo* option : options) {
            EXPECT_TRUE(Names(help, option->name)) << option->name;
            EXPECT_TRUE(Names(usage, option->name)) << option->name;
            if (option->alias != nullptr) {
                EXPECT_TRUE(Names(help, option->alias)) << option->alias;
            }
        }
    }
    for (const quelbrix::CommandEntry* entry :
         {&quelbrix::kSearchEntry, &quelbrix::kGuessEntry, &quelbrix::kConvertEntry}) {
        EXPECT_NE(help.find('\n' + entry->usage() + '\n'), std::string::npos) << entry->name;
        EXPECT_NE(quelbrix::GlobalUsage().find("  quelbrix " + entry->synopsis() + '\n'),
                  std::string::npos);
        EXPECT_EQ(quelbrix::FindCommand(entry->name), entry);
    }
    EXPECT_EQ(quelbrix::FindCommand("Search"), nullptr);
    EXPECT_EQ(quelbrix::GlobalUsage(),
              "usage: quelbrix [--utf8|--no-utf8] COMMAND [ARGS...]\n"
              "       quelbrix --help\n"
              "commands:\n"
              "  quelbrix search [options] FOLDER WORD\n"
              "  quelbrix guess FILE...\n"
              "  quelbrix convert [--from auto|jis|euc|utf16] FILE\n");
}

struct GlobalCase {
    std::vector<std::string> words;
    ParseOutcome outcome;
    quelbrix::TerminalChoice terminal;
    std::size_t operands;
};

TEST(Options, GlobalOptionsAndTheCommandsHelp) {
    using quelbrix::TerminalChoice;
    const GlobalCase cases[] = {
        {{"search", "--help"}, ParseOutcome::kHelp, TerminalChoice::kAuto, 0},
        {{"--utf8", "frobnicate", "-h"}, ParseOutcome::kHelp, TerminalChoice::kAuto, 0},
        {{"search", "--regex", "--help"}, ParseOutcome::kParsed, TerminalChoice::kAuto, 3},
        {{"--no-utf8", "guess"}, ParseOutcome::kParsed, TerminalChoice::kBytes, 1},
        {{"--no-utf8", "--utf8", "x", "--no-utf8"},
         ParseOutcome::kParsed,
         TerminalChoice::kUtf8,
         2},
        {{"--utf8"}, ParseOutcome::kUsageError, TerminalChoice::kAuto, 0},
    };
    for (GlobalCase c : cases) {
        std::vector<char*> argv;
        for (std::string& word : c.words) argv.push_back(&word[0]);
        quelbrix::GlobalArguments arguments;
        const quelbrix::ParsedArguments parsed =
            quelbrix::ReadGlobalArguments(static_cast<int>(argv.size()), argv.data(), arguments);
        EXPECT_EQ(parsed.outcome, c.outcome) << c.words[0];
        if (parsed.outcome != ParseOutcome::kParsed) continue;
        EXPECT_EQ(arguments.terminal, c.terminal);
        EXPECT_EQ(parsed.operands.size(), c.operands);
    }
}

}  // namespace
