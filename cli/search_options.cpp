#include "search_options.h"

#include <algorithm>
#include <iterator>
#include <thread>

#include "engine/search_driver.h"
#include "grexmo/grexmo.h"

namespace quelbrix {

namespace {

using Arguments = SearchArguments;
using Value = OptionValue;

// The parser applies the options one by one; the forms given are checked once all are in.
unsigned FormBit(LineForm form) { return 1u << static_cast<unsigned>(form); }

constexpr Option<Arguments> kSearchOptions[] = {
    {{"--ext", nullptr, OptionKind::kText, "LIST", "a list",
      "comma-separated extensions without dots (default: all files)"},
     [](Arguments& a, const Value& v) { a.request.extensions = v.text; }},
    {{"--regex", nullptr, OptionKind::kFlag, nullptr, nullptr, "WORD is a regular expression"},
     [](Arguments& a, const Value&) { a.request.useRegex = true; }},
    // Plain words and expressions alike; an expression's (?i) (?w) (?k) fold on top of these.
    {{"--ignore-case", "-i", OptionKind::kFlag, nullptr, nullptr,
      "letters match in either case (ASCII and full-width): pdf finds PDF"},
     [](Arguments& a, const Value&) { a.request.folds |= kGrexmoFoldCase; }},
    {{"--ignore-width", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "full-width and half-width forms match each other: PDF finds its\n"
      "full-width form, a voiced kana the half-width kana with its voicing\n"
      "mark (one character then); with -i, pdf finds all four forms"},
     [](Arguments& a, const Value&) { a.request.folds |= kGrexmoFoldWidth; }},
    {{"--ignore-kana", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "hiragana and katakana of the same sound match each other"},
     [](Arguments& a, const Value&) { a.request.folds |= kGrexmoFoldKana; }},
    // Repeated lists add up, as one list joined by ';'.
    {{"--exclude-dir", nullptr, OptionKind::kText, "LIST", "a list",
      "never enter a folder whose name matches an item of LIST: names\n"
      "separated by ';', with * and ? (ASCII letters in either case; blanks\n"
      "around an item are ignored), as .git;node_modules;obj*; may be repeated"},
     [](Arguments& a, const Value& v) {
         if (!a.excludeFolders.empty()) a.excludeFolders += ';';
         a.excludeFolders += v.text;
         a.request.excludeFolders = a.excludeFolders.c_str();
     }},
    {{"--subfolders", nullptr, OptionKind::kFlag, nullptr, nullptr, "search the folders below too"},
     [](Arguments& a, const Value&) { a.request.searchSubfolders = true; }},
    {{"--relative", nullptr, OptionKind::kFlag, nullptr, nullptr, "list paths relative to FOLDER"},
     [](Arguments& a, const Value&) { a.request.relativePaths = true; }},
    {{"--no-count", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "stop at the first hit of each file; no count column"},
     [](Arguments& a, const Value&) { a.request.countHits = false; }},
    {{"--no-convert", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "match files as read, without kanji code conversion"},
     [](Arguments& a, const Value&) { a.request.convertCodes = false; }},
    {{"--utf8-files", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "convert UTF-8 files to Shift_JIS too, before matching"},
     [](Arguments& a, const Value&) { a.request.convertUtf8 = true; }},
    {{"--progress", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "run with a progress bar (counts the candidates first)"},
     [](Arguments& a, const Value&) { a.withProgress = true; }},
    // Any int: the engine answers a policy of none of the three with a message of its own.
    {{"--error-policy", nullptr, OptionKind::kNumber, "N", "a number",
      "0 ask, 1 skip the file, 2 stop the search (default 0)"},
     [](Arguments& a, const Value& v) {
         a.request.errorPolicy = static_cast<ErrorPolicy>(v.number);
     }},
    {{"--answer", nullptr, OptionKind::kChoice, "yes|no", nullptr,
      "how questions are answered (default yes)"},
     [](Arguments& a, const Value& v) { a.answerYes = v.number == 0; }},  // the first word, yes
    {{"--report", nullptr, OptionKind::kName, "FILE", "a file name",
      "also write the rows found as a result report (Shift_JIS, CR LF)"},
     [](Arguments& a, const Value& v) { a.reportPath = v.text; }},
    {{"--lines", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "print each hit line as PATH:LINE:TEXT instead of the rows"},
     [](Arguments& a, const Value&) { a.formsGiven |= FormBit(LineForm::kLines); }},
    {{"--context", "-C", OptionKind::kNumber, "N", "a number",
      "also print N lines around each hit line as PATH-LINE-TEXT, and \"--\"\n"
      "between groups that do not meet (implies --lines)"},
     [](Arguments& a, const Value& v) {
         a.contextGiven = true;
         a.contextLines = v.number;
     }},
    {{"--vimgrep", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "print PATH:LINE:COLUMN:TEXT once per hit (COLUMN in bytes, from 1)"},
     [](Arguments& a, const Value&) { a.formsGiven |= FormBit(LineForm::kVimgrep); }},
    {{"--json", nullptr, OptionKind::kFlag, nullptr, nullptr,
      "print hit lines as JSON Lines in UTF-8 (begin, match, context, end\n"
      "and summary messages, as ripgrep's --json writes them)"},
     [](Arguments& a, const Value&) { a.formsGiven |= FormBit(LineForm::kJson); }},
    {{"--color", nullptr, OptionKind::kChoice, "auto|always|never", nullptr,
      "colour paths, line numbers, separators and hits\n"
      "(default auto: when stdout is a terminal and TERM is set and not dumb;\n"
      "never in --json)"},
     [](Arguments& a, const Value& v) { a.color = static_cast<ColorChoice>(v.number); }},
    {{"--max-columns", nullptr, OptionKind::kNumber, "N", "a number",
      "show a line longer than N bytes as N bytes around its first hit,\n"
      "with an ellipsis (U+2026) where it is cut (0: whole lines)"},
     [](Arguments& a, const Value& v) { a.maxColumns = v.number; }},
    {{"--threads", "-j", OptionKind::kNumber, "N", "a number",
      "read and match N files at once (default: one per processor);\n"
      "the output is the same whatever N"},
     [](Arguments& a, const Value& v) { a.threads = v.number; }},
};

}  // namespace

constexpr Command<Arguments> kSearchCommand = {
    {
        "search",
        OptionSyntax::kDoubleDash,
        {"FOLDER WORD", 2, 2, "FOLDER and WORD are needed", "too many arguments"},
        "unknown option",
        20,  // the help's column
        "Rows go to stdout as four tab-separated cells, or hit lines in the form asked\n"
        "for (--lines, --vimgrep and --json exclude each other); message boxes to stderr.\n"
        "Hit lines show each hit as the file writes it, folded or not.\n",
    },
    kSearchOptions,
    std::size(kSearchOptions),
};

int DefaultSearchThreads() {
    const unsigned processors = std::thread::hardware_concurrency();  // 0: not known
    return static_cast<int>(std::clamp(processors, 1u, kMaxSearchThreads));
}

bool ReadSearchArguments(int argc, char** argv, SearchArguments& arguments) {
    arguments.threads = DefaultSearchThreads();
    std::vector<char*> operands;
    if (!ReadArguments(kSearchCommand, argc, argv, arguments, operands)) return false;
    arguments.folder = operands[0];
    arguments.word = operands[1];
    if (arguments.folder[0] == '\0') {
        TellUsageError(kSearchCommand, "FOLDER is empty");
        return false;
    }
    std::string problem;
    if (CheckSearchThreads(arguments, problem) && ResolveLineForm(arguments, problem))
        return true;
    TellUsageError(kSearchCommand, problem);
    return false;
}

bool CheckSearchThreads(const SearchArguments& arguments, std::string& problem) {
    if (arguments.threads >= 1 && static_cast<unsigned>(arguments.threads) <= kMaxSearchThreads)
        return true;
    problem = "--threads needs a number from 1 to " + std::to_string(kMaxSearchThreads);
    return false;
}

bool ResolveLineForm(SearchArguments& arguments, std::string& problem) {
    LineForm chosen = LineForm::kRows;
    for (const LineForm form : {LineForm::kLines, LineForm::kVimgrep, LineForm::kJson}) {
        if ((arguments.formsGiven & FormBit(form)) == 0) continue;
        if (chosen != LineForm::kRows) {
            problem = "--lines, --vimgrep and --json exclude each other";
            return false;
        }
        chosen = form;
    }
    if (arguments.contextLines < 0) {
        problem = "--context needs a number of 0 or more";
        return false;
    }
    if (arguments.maxColumns < 0) {
        problem = "--max-columns needs a number of 0 or more";
        return false;
    }
    if (arguments.contextGiven && chosen == LineForm::kRows) chosen = LineForm::kLines;
    arguments.lineForm = chosen;
    return true;
}

}  // namespace quelbrix
