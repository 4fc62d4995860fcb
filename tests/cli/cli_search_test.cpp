// Runs the built `quelbrix` over temporary folders and checks its rows, boxes and status.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "common/product.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class CliSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quelbrix-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        base = pattern;
        root = base + "/tree/";
        mkdir(root.c_str(), 0755);
    }
    void TearDown() override { std::system(("rm -rf '" + base + "'").c_str()); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(root + name, std::ios::binary) << content;
    }

    // `arguments` is shell text; output goes to files, never through a pipe.
    Outcome Run(const std::string& arguments) {
        std::string command = std::string("'") + QUELBRIX_CLI + "' " + arguments + " >'" + base +
                              "/out' 2>'" + base + "/err'";
        int raw = std::system(command.c_str());
        Outcome outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(base + "/out"),
                        ReadAll(base + "/err")};
        return outcome;
    }

    std::string Summary(const std::string& word, const std::string& folder, int examined,
                        int hits) {
        return std::string(quelbrix::kEngineCaption) + "\t「" + word + "」を検索した結果、\\n" +
               folder + "に含まれる\\n指定されたタイプのファイル" + std::to_string(examined) +
               "個中のファイルのうち" + std::to_string(hits) +
               "個の中に\\n含まれていることが判明しました。\n";
    }

    std::string base;
    std::string root;
};

TEST_F(CliSearchTest, PrintsRowsAsTabSeparatedCellsAndTheSummaryOnStderr) {
    Write("a.txt", "ab ab");
    Write("b.txt", "none");
    Outcome outcome = Run("search '" + root + "' ab");
    EXPECT_EQ(outcome.status, 0);
    ASSERT_EQ(outcome.out.substr(0, root.size() + 8), root + "a.txt\t5\t");
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "\t2\n");
    EXPECT_EQ(outcome.out.size(), root.size() + 5 + 1 + 1 + 1 + 19 + 1 + 1 + 1);
    EXPECT_EQ(outcome.err, Summary("ab", root, 2, 1));
}

TEST_F(CliSearchTest, AppendsTheSeparatorToTheFolder) {
    Write("a.txt", "ab");
    std::string folder = root.substr(0, root.size() - 1);
    Outcome outcome = Run("search --relative '" + folder + "' ab");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(0, 6), "a.txt\t");
    EXPECT_EQ(outcome.err, Summary("ab", root, 1, 1));
}

// A folder that already ends with its separator gets no second one, also when the name
// before it ends in a byte that could start a double-byte character (あ in UTF-8 is E3 81 82).
TEST_F(CliSearchTest, FolderEndingWithSeparatorIsTakenAsItIs) {
    const std::string folder = root + "\xE3\x81\x82/";
    mkdir(folder.c_str(), 0755);
    std::ofstream(folder + "a.txt", std::ios::binary) << "ab";
    Outcome outcome = Run("search '" + folder + "' ab");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(0, folder.size() + 6), folder + "a.txt\t");
    EXPECT_EQ(outcome.err, Summary("ab", folder, 1, 1));
}

TEST_F(CliSearchTest, OptionsReachTheEngine) {
    mkdir((root + "sub").c_str(), 0755);
    Write("sub/c.TXT", "ab ab ab");
    Write("a.txt", "ab");
    Write("a.log", "ab");
    Outcome outcome =
        Run("search --subfolders --relative --no-count --progress --ext 'txt,' '" + root + "' ab");
    EXPECT_EQ(outcome.status, 0);
    std::istringstream lines(outcome.out);
    std::string first, second, rest;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, rest));
    std::set<std::string> names{first.substr(0, first.find('\t')),
                                second.substr(0, second.find('\t'))};
    EXPECT_EQ(names, (std::set<std::string>{"a.txt", "sub/c.TXT"}));
    // Counting off: the fourth cell is empty.
    EXPECT_EQ(first.back(), '\t');
    EXPECT_EQ(outcome.err, Summary("ab", root, 2, 2));
}

// Folders whose names match are never entered, at any depth; a file of that name is still
// searched, and repeated lists add up.
TEST_F(CliSearchTest, ExcludeDirLeavesFoldersOut) {
    for (const char* folder : {"obj", "src", "src/Obj", "src/node_modules", "src/keep"})
        mkdir((root + folder).c_str(), 0755);
    for (const char* file : {"obj/a.txt", "src/b.txt", "src/Obj/c.txt", "src/node_modules/d.txt",
                             "src/keep/e.txt", "src/obj"})
        Write(file, "ab");
    const struct {
        std::string options;
        std::set<std::string> found;
    } cases[] = {
        {"",
         {"obj/a.txt", "src/b.txt", "src/Obj/c.txt", "src/node_modules/d.txt", "src/keep/e.txt",
          "src/obj"}},
        {"--exclude-dir 'obj; node_*'", {"src/b.txt", "src/keep/e.txt", "src/obj"}},
        {"--exclude-dir obj --exclude-dir 'node_modules'",
         {"src/b.txt", "src/keep/e.txt", "src/obj"}},
        {"--exclude-dir 's?c'", {"obj/a.txt"}},
        {"--exclude-dir ''",
         {"obj/a.txt", "src/b.txt", "src/Obj/c.txt", "src/node_modules/d.txt", "src/keep/e.txt",
          "src/obj"}},
    };
    // The walk of one thread and the one that feeds several leave out the same folders.
    for (const auto& c : cases) {
        for (const char* threads : {"-j1", "-j3"}) {
            SCOPED_TRACE(threads);
            Outcome outcome = Run(std::string("search ") + threads + " --subfolders --relative " +
                                  c.options + " '" + root + "' ab");
            EXPECT_EQ(outcome.status, 0) << c.options << outcome.err;
            std::istringstream lines(outcome.out);
            std::set<std::string> names;
            for (std::string line; std::getline(lines, line);)
                names.insert(line.substr(0, line.find('\t')));
            EXPECT_EQ(names, c.found) << c.options;
            EXPECT_EQ(outcome.err, Summary("ab", root, static_cast<int>(c.found.size()),
                                           static_cast<int>(c.found.size())))
                << c.options;
        }
    }
    EXPECT_EQ(Run("search --exclude-dir").status, 2);
}

TEST_F(CliSearchTest, ShiftJisBytesPassThrough) {
    // 表示 in Shift_JIS, in a file name and in the text; 表's second byte is 0x5C.
    const std::string word = "\x95\x5C\x8E\xA6";
    Write("\x95\x5C.txt", "x" + word + "y" + word);
    Outcome outcome = Run("search --no-convert --relative '" + root + "' '" + word + "'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(0, 7), "\x95\x5C.txt\t");
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "\t2\n");
    EXPECT_EQ(outcome.err, Summary(word, root, 1, 1));
}

TEST_F(CliSearchTest, Utf8FilesAreFoundOnlyWithTheirOption) {
    Write("u.txt", "\xEF\xBB\xBF\xE8\xA1\xA8\xE7\xA4\xBA");  // 表示 in UTF-8 after a BOM
    const std::string word = "\x95\x5C\x8E\xA6";             // 表示 in Shift_JIS
    Outcome outcome = Run("search --utf8-files --relative '" + root + "' '" + word + "'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(0, 6), "u.txt\t");
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "\t1\n");
    EXPECT_EQ(Run("search --relative '" + root + "' '" + word + "'").out, "");
}

TEST_F(CliSearchTest, QuestionAnsweredNoStopsWithStatusOne) {
    symlink((root + "gone").c_str(), (root + "a.txt").c_str());
    Outcome outcome = Run("search --answer no '" + root + "' ab");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, std::string(quelbrix::kEngineCaption) +
                               "\t検索中にエラーが発生しました。\\nファイル名：" + root +
                               "a.txt\\nエラー内容：ファイルが見つかりませんでした。"
                               "\\n\\n検索をこのまま続行しますか？\n");
}

struct PolicyCase {
    const char* options;
    int status;
    int boxLines;
};

class CliPolicyTest : public CliSearchTest, public ::testing::WithParamInterface<PolicyCase> {};

TEST_P(CliPolicyTest, UnreadableFileFollowsThePolicy) {
    symlink((root + "gone").c_str(), (root + "a.txt").c_str());
    Write("b.txt", "ab");
    Outcome outcome = Run(std::string("search ") + GetParam().options + " '" + root + "' ab");
    EXPECT_EQ(outcome.status, GetParam().status);
    int lines = 0;
    for (char c : outcome.err) lines += c == '\n';
    EXPECT_EQ(lines, GetParam().boxLines) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(Policies, CliPolicyTest,
                         ::testing::Values(PolicyCase{"", 0, 2},
                                           PolicyCase{"--error-policy 1", 0, 1},
                                           PolicyCase{"--error-policy 2", 1, 0},
                                           PolicyCase{"--error-policy 7", 1, 1}));

TEST_F(CliSearchTest, UsageErrorsExitWithTwo) {
    for (const char* arguments :
         {"", "search", "search only-folder", "search --bogus a b", "search --error-policy x a b",
          "search --answer maybe a b", "search a b c", "frobnicate"}) {
        Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments;
        EXPECT_NE(outcome.err.find("usage: quelbrix"), std::string::npos) << arguments;
    }
}

TEST_F(CliSearchTest, MissingFolderReportsNothingFound) {
    Outcome outcome = Run("search '" + base + "/nowhere' ab");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, Summary("ab", base + "/nowhere/", 0, 0));
}

}  // namespace

namespace {

// The report names the folder as searched and lists the rows in the order the engine left them.
TEST_F(CliSearchTest, ReportHoldsTheRowsOfTheRun) {
    mkdir((root + "sub").c_str(), 0755);
    Write("sub/a.txt", "ab ab ab");
    Write("b.txt", "none");
    const std::string report = base + "/report.txt";
    Outcome outcome =
        Run("search --subfolders --relative --report '" + report + "' '" + root + "' ab");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(ReadAll(report),
              quelbrix::ProgramNameAndVersion() +
                  " 結果ファイル\r\n"
                  "このファイルは QuelbrixU の検索結果を書き出したものです。\r\n\r\n"
                  "「ab」で検索した結果、\r\n" +
                  root + "sub/a.txtの中に3個、発見されました。");

    Outcome noCounts = Run("search --no-count --report '" + report + "' '" + root + "' zz");
    EXPECT_EQ(noCounts.status, 0);
    EXPECT_EQ(
        ReadAll(report).substr(ReadAll(report).find("「")),
        "「zz」で検索した結果、\r\n\r\nこの検索では見つかった数を表示しない設定になっていました。");
}

TEST_F(CliSearchTest, ReportThatCannotBeWrittenFailsTheRun) {
    Write("a.txt", "ab");
    Outcome outcome = Run("search --report '" + root + "missing/r.txt' '" + root + "' ab");
    EXPECT_EQ(outcome.status, 3);
    EXPECT_NE(outcome.err.find("could not be written"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(CliSearchTest, InvalidRegularExpressionIsRefusedWithItsReason) {
    Write("a.txt", "needle(");
    Outcome outcome = Run("search --regex '" + root + "' 'needle('");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              "quelbrix search: invalid regular expression: missing ) to close the "
              "group at offset 6\n");
    EXPECT_EQ(Run("search '" + root + "' 'needle('").status, 0);  // plain text: any bytes do
}

}  // namespace

namespace {

// A lead byte before a line feed is a character of its own, for the hit loop as for Grexmo:
// "x*" is empty at 81, at 0A and at the end.
TEST_F(CliSearchTest, HitLoopStepsByGrexmosCharacters) {
    Write("a.txt", "\x81\x0A");
    Outcome outcome = Run("search --regex --no-convert --relative '" + root + "' 'x*'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "\t3\n");
}

}  // namespace

namespace {

// The UTF-8 terminal mode. u8"" literals are UTF-8, the others Shift_JIS.
std::string Utf8(const char* text) { return text; }

TEST_F(CliSearchTest, Utf8ModeFindsShiftJisTextAndPrintsUtf8) {
    const std::string folder = root + Utf8(u8"文書");
    mkdir(folder.c_str(), 0755);
    std::ofstream(folder + Utf8(u8"/表示.txt"), std::ios::binary) << "x表示y表示";
    Write("other.txt", "none");
    Outcome outcome = Run("--utf8 search --subfolders --relative '" + root + "' " + Utf8(u8"表示"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(0, outcome.out.find('\t')), Utf8(u8"文書/表示.txt"));
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "\t2\n");
    EXPECT_EQ(
        outcome.err.find(std::string(quelbrix::kEngineCaption) + "\t" + Utf8(u8"「表示」を検索")),
        0u)
        << outcome.err;

    // --no-utf8 passes the UTF-8 word through as bytes: the Shift_JIS file does not hold them.
    outcome = Run("--no-utf8 search --subfolders '" + root + "' " + Utf8(u8"表示"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
}

TEST_F(CliSearchTest, Utf8ModeRefusesWhatShiftJisCannotSay) {
    Write("a.txt", "ab");
    const struct {
        std::string arguments;
        std::string reason;
    } cases[] = {
        {"'" + root + "' " + Utf8(u8"a😀"),
         Utf8(u8"WORD holds \"😀\" (U+1F600), which has no Shift_JIS form")},
        {"'" + root + Utf8(u8"한") + "' ab", Utf8(u8"FOLDER holds \"한\" (U+D55C)")},
        {"'" + root + "' \"$(printf 'a\\377')\"", "WORD is not UTF-8 (byte 2)"},
    };
    for (const auto& c : cases) {
        Outcome outcome = Run("--utf8 search " + c.arguments);
        EXPECT_EQ(outcome.status, 2) << c.arguments;
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find(c.reason), std::string::npos) << outcome.err;
    }
}

TEST_F(CliSearchTest, Utf8ModeConvertsConvertedText) {
    // 日本語の表示テキストです。 in EUC-JP
    Write("euc.txt",
          "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xC9\xBD\xBC\xA8\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8"
          "\xA4\xC7\xA4\xB9\xA1\xA3\r\n");
    Outcome outcome = Run("--utf8 convert '" + root + "euc.txt'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, Utf8(u8"日本語の表示テキストです。\r\n"));
    EXPECT_EQ(Run("convert '" + root + "euc.txt'").out, "日本語の表示テキストです。\r\n");
}

// In UTF-8 mode the list reaches the engine in Shift_JIS, as the folder names do; a name
// Shift_JIS cannot hold is refused like a word.
TEST_F(CliSearchTest, Utf8ModeConvertsTheExcludeDirList) {
    for (const char* folder : {u8"表示", u8"文書"}) mkdir((root + folder).c_str(), 0755);
    std::ofstream(root + Utf8(u8"表示/a.txt"), std::ios::binary) << "ab";
    std::ofstream(root + Utf8(u8"文書/b.txt"), std::ios::binary) << "ab";
    Outcome outcome = Run("--utf8 search --subfolders --relative --exclude-dir '" + Utf8(u8"表?") +
                          "' '" + root + "' ab");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out.substr(0, outcome.out.find('\t')), Utf8(u8"文書/b.txt"));
    EXPECT_EQ(outcome.out.find(Utf8(u8"表示")), std::string::npos);
    outcome = Run("--utf8 search --exclude-dir '" + Utf8(u8"한") + "' '" + root + "' ab");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("--exclude-dir holds"), std::string::npos) << outcome.err;
}

// A pipe or a file gets bytes whatever the locale says.
TEST_F(CliSearchTest, OutputThatIsNoTerminalGetsBytes) {
    Write("a.txt", "表示");
    Outcome outcome = Run("search --relative '" + root + "' '表示'");
    const std::string command = "LC_ALL=C.UTF-8 '" + std::string(QUELBRIX_CLI) +
                                "' search --relative '" + root + "' '表示' >'" + base +
                                "/out' 2>'" + base + "/err'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadAll(base + "/out"), outcome.out);
    EXPECT_EQ(ReadAll(base + "/err"), outcome.err);
    EXPECT_EQ(outcome.out.substr(0, 6), "a.txt\t");
}

// Every option --help names is in both man pages.
TEST_F(CliSearchTest, HelpNamesEveryCommandAndTheManPagesEveryOption) {
    Outcome outcome = Run("--help");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    for (const char* word : {"search", "guess", "convert", "--utf8", "--no-utf8", "--regex",
                             "--report", "--from", "Exit status"})
        EXPECT_NE(outcome.out.find(word), std::string::npos) << word;
    EXPECT_EQ(Run("-h").out, outcome.out);
    EXPECT_EQ(Run("search --help").out, outcome.out);
    EXPECT_EQ(Run("--utf8 convert -h").status, 0);

    std::set<std::string> options;
    for (std::size_t at = outcome.out.find("--"); at != std::string::npos;
         at = outcome.out.find("--", at + 2)) {
        const std::size_t end =
            outcome.out.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-", at + 2);
        options.insert(outcome.out.substr(at, end - at));
    }
    EXPECT_GT(options.size(), 12u);
    for (const char* page : {"quelbrix.1", "ja/quelbrix.1"}) {
        const std::string text = ReadAll(std::string(QUELBRIX_MAN_DIR) + "/" + page);
        ASSERT_FALSE(text.empty()) << page;
        for (const std::string& option : options) {
            std::string roff;  // the man page writes each '-' as "\-"
            for (char c : option) roff += c == '-' ? std::string("\\-") : std::string(1, c);
            EXPECT_NE(text.find(roff), std::string::npos) << page << ": " << option;
        }
    }
}

TEST_F(CliSearchTest, UnknownGlobalOptionIsAUsageError) {
    Outcome outcome = Run("--utf9 search a b");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find("usage: quelbrix [--utf8|--no-utf8]"), std::string::npos);
}

}  // namespace

namespace {

// The line forms. Literals are Shift_JIS, those in u8"" UTF-8 (Utf8 above).
const char kJapaneseLines[] =
    "一行目です\r\n検索の表示\r\n三行目\r\n四行目\r\n五行目\r\n最後に表示と表示\r\n";

// 日本語の表示テキストです。 and 二行目も表示。, CR LF after each, in EUC-JP.
const char kEucLines[] =
    "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xC9\xBD\xBC\xA8\xA5\xC6\xA5\xAD\xA5\xB9\xA5\xC8\xA4\xC7"
    "\xA4\xB9\xA1\xA3\x0D\x0A\xC6\xF3\xB9\xD4\xCC\xDC\xA4\xE2\xC9\xBD\xBC\xA8\xA1\xA3\x0D\x0A";

TEST_F(CliSearchTest, LinesPrintEachHitLineAsGrepDoes) {
    Write("sjis.txt", kJapaneseLines);
    Outcome outcome = Run("search --relative --lines '" + root + "' '表示'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "sjis.txt:2:検索の表示\r\nsjis.txt:6:最後に表示と表示\r\n");
    EXPECT_EQ(outcome.err, Summary("表示", root, 1, 1));  // messages stay as they were

    // Without --relative the path is the row's whole one.
    EXPECT_EQ(Run("search --lines '" + root + "' '三行'").out, root + "sjis.txt:3:三行目\r\n");
}

struct ContextCase {
    const char* options;
    std::string out;
};

TEST_F(CliSearchTest, ContextLinesAndGroupSeparators) {
    Write("sjis.txt", kJapaneseLines);
    const ContextCase cases[] = {
        {"-C 1",
         "sjis.txt-1-一行目です\r\nsjis.txt:2:検索の表示\r\nsjis.txt-3-三行目\r\n--\n"
         "sjis.txt-5-五行目\r\nsjis.txt:6:最後に表示と表示\r\n"},
        {"--context 2 --lines",
         "sjis.txt-1-一行目です\r\nsjis.txt:2:検索の表示\r\nsjis.txt-3-三行目\r\n"
         "sjis.txt-4-四行目\r\nsjis.txt-5-五行目\r\nsjis.txt:6:最後に表示と表示\r\n"},
        {"-C 0", "sjis.txt:2:検索の表示\r\n--\nsjis.txt:6:最後に表示と表示\r\n"},
    };
    for (const ContextCase& c : cases) {
        Outcome outcome =
            Run(std::string("search --relative ") + c.options + " '" + root + "' '表示'");
        EXPECT_EQ(outcome.status, 0) << c.options;
        EXPECT_EQ(outcome.out, c.out) << c.options;
    }
}

// Columns count bytes as printed: two per kanji in Shift_JIS, three in UTF-8.
TEST_F(CliSearchTest, VimgrepGivesEachHitItsColumn) {
    Write("sjis.txt", kJapaneseLines);
    EXPECT_EQ(Run("search --relative --vimgrep -C 3 '" + root + "' '表示'").out,
              "sjis.txt:2:7:検索の表示\r\nsjis.txt:6:7:最後に表示と表示\r\n"
              "sjis.txt:6:13:最後に表示と表示\r\n");
    EXPECT_EQ(Run("--utf8 search --relative --vimgrep '" + root + "' '" + Utf8(u8"表示") + "'").out,
              Utf8(u8"sjis.txt:2:10:検索の表示\r\nsjis.txt:6:10:最後に表示と表示\r\n"
                   u8"sjis.txt:6:19:最後に表示と表示\r\n"));
}

// Converted text is printed as the search saw it: Shift_JIS bytes, or UTF-8 in that mode.
TEST_F(CliSearchTest, LinesOfAConvertedFile) {
    Write("euc.txt", kEucLines);
    EXPECT_EQ(Run("search --relative --lines '" + root + "' '二行'").out,
              "euc.txt:2:二行目も表示。\r\n");
    EXPECT_EQ(Run("--utf8 search --relative --lines '" + root + "' '" + Utf8(u8"二行") + "'").out,
              Utf8(u8"euc.txt:2:二行目も表示。\r\n"));
}

TEST_F(CliSearchTest, JsonOfAConvertedFile) {
    Write("euc.txt", kEucLines);
    Outcome outcome = Run("search --relative --json -C 1 '" + root + "' '二行目'");
    EXPECT_EQ(outcome.status, 0);
    std::istringstream lines(outcome.out);
    std::string begin, context, match, end, summary, rest;
    std::getline(lines, begin);
    std::getline(lines, context);
    std::getline(lines, match);
    std::getline(lines, end);
    std::getline(lines, summary);
    EXPECT_FALSE(std::getline(lines, rest));
    EXPECT_EQ(begin,
              "{\"type\":\"begin\",\"data\":{\"path\":{\"text\":\"euc.txt\"},"
              "\"encoding\":\"EUC-JP\"}}");
    EXPECT_EQ(context, Utf8(u8"{\"type\":\"context\",\"data\":{\"path\":{\"text\":\"euc.txt\"},"
                            u8"\"lines\":{\"text\":\"日本語の表示テキストです。\\r\\n\"},"
                            u8"\"line_number\":1,\"absolute_offset\":0,\"submatches\":[]}}"));
    // The offset is into the Shift_JIS text that was searched; start and end into UTF-8.
    EXPECT_EQ(match, Utf8(u8"{\"type\":\"match\",\"data\":{\"path\":{\"text\":\"euc.txt\"},"
                          u8"\"lines\":{\"text\":\"二行目も表示。\\r\\n\"},\"line_number\":2,"
                          u8"\"absolute_offset\":28,\"submatches\":[{\"match\":{\"text\":"
                          u8"\"二行目\"},\"start\":0,\"end\":9}]}}"));
    EXPECT_EQ(end.find("{\"type\":\"end\",\"data\":{\"path\":{\"text\":\"euc.txt\"},"
                       "\"binary_offset\":null,\"stats\":{\"elapsed\":{\"secs\":0,"),
              0u)
        << end;
    EXPECT_NE(end.find("\"searches\":1,\"searches_with_match\":1,\"bytes_searched\":44,"),
              std::string::npos)
        << end;
    EXPECT_NE(end.find("\"matched_lines\":1,\"matches\":1}}}"), std::string::npos) << end;
    EXPECT_EQ(summary.find("{\"type\":\"summary\",\"data\":{\"elapsed_total\":{\"secs\":"), 0u);
}

// UTF-16 with a byte-order mark is read as UTF-16 even where the detector calls it binary (no
// line break, or big-endian), and --json names the form it was read in; without the mark such
// a file stays binary and unsearched.
TEST_F(CliSearchTest, JsonNamesTheUtf16FormAMarkedFileWasReadIn) {
    // The mark, then a表示 (U+0061 U+8868 U+793A): the zero byte of a is what makes it binary.
    Write("le.txt", std::string("\xFF\xFE\x61\x00\x68\x88\x3A\x79", 8));
    Write("be.txt", std::string("\xFE\xFF\x00\x61\x88\x68\x79\x3A", 8));
    Write("none.txt", std::string("\x61\x00\x68\x88\x3A\x79", 6));
    const Outcome outcome = Run("search --relative --json '" + root + "' '表示'");
    EXPECT_EQ(outcome.status, 0);
    struct Case {
        const char* path;
        const char* encoding;
    };
    for (const Case& c : {Case{"le.txt", "UTF-16LE"}, Case{"be.txt", "UTF-16BE"}}) {
        SCOPED_TRACE(c.path);
        const std::string path = std::string("{\"path\":{\"text\":\"") + c.path + "\"}";
        EXPECT_NE(outcome.out.find("{\"type\":\"begin\",\"data\":" + path + ",\"encoding\":\"" +
                                   c.encoding + "\"}}"),
                  std::string::npos)
            << outcome.out;
        EXPECT_NE(outcome.out.find("{\"type\":\"match\",\"data\":" + path +
                                   Utf8(u8",\"lines\":{\"text\":\"?a表示\"},\"line_number\":1,"
                                        u8"\"absolute_offset\":0,\"submatches\":[{\"match\":"
                                        u8"{\"text\":\"表示\"},\"start\":2,\"end\":8}]}}")),
                  std::string::npos)
            << outcome.out;
    }
    EXPECT_EQ(outcome.out.find("none.txt"), std::string::npos) << outcome.out;
    // Without conversion nothing is read as UTF-16.
    EXPECT_EQ(Run("search --relative --no-convert '" + root + "' '表示'").out, "");
}

// Every message parses, files open and close in turn, and each submatch's offsets cut the
// word out of its line: the UTF-8 line, or the raw bytes of one that has no lossless UTF-8.
TEST_F(CliSearchTest, JsonLinesParseAndOffsetsCutOutTheWord) {
    Write("sjis.txt", "表示\r\nその他\r\n前の行\r\n表示と表示\n");
    Write("euc.txt", kEucLines);
    Write("utf16.txt", std::string("\xFF\xFE\x55\x00\x54\x00\x46\x00\x2D\x00\x31\x00\x36\x00\x20"
                                   "\x00\x6E\x30\x68\x88\x3A\x79\x0D\x00\x0A\x00",
                                   26));
    Write("unmapped.txt", "\x81\xAD 表示\n");  // 0x81 0xAD has no Unicode form
    Write("none.txt", "nothing here");
    // The script gets the word as the hex of its UTF-8 bytes: 表示.
    const std::string script = base + "/check.py";
    std::ofstream(script) << R"(import base64, json, sys
word = bytes.fromhex(sys.argv[2]).decode("utf-8")
begun, ended, counts = [], [], {"match": 0, "context": 0, "bytes": 0}
messages = open(sys.argv[1], "rb").read().decode("utf-8").split("\n")
assert messages[-1] == ""
for text in messages[:-1]:
    message = json.loads(text)
    kind, data = message["type"], message["data"]
    assert set(message) == {"type", "data"}
    if kind == "summary":
        assert text == messages[-2]
        summary = data["stats"]
        continue
    path = json.dumps(data["path"])
    if kind == "begin":
        assert path not in begun and len(begun) == len(ended)
        begun.append(path)
    elif kind == "end":
        assert begun[-1] == path and data["binary_offset"] is None
        ended.append(path)
    else:
        assert begun[-1] == path and len(begun) == len(ended) + 1
        counts[kind] += 1
        lines = data["lines"]
        if "text" in lines:
            line, wanted = lines["text"].encode("utf-8"), word.encode("utf-8")
        else:
            line, wanted = base64.b64decode(lines["bytes"]), word.encode("cp932")
            counts["bytes"] += 1
        assert line.endswith(b"\n")
        assert (kind == "context") == (data["submatches"] == [])
        for sub in data["submatches"]:
            assert line[sub["start"]:sub["end"]] == wanted, (line, sub)
            assert sub["match"] == {"text": word}
assert begun == ended
print(len(begun), counts["match"], counts["context"], counts["bytes"], summary["searches"],
      summary["searches_with_match"], summary["matched_lines"], summary["matches"])
)";
    Outcome outcome = Run("search --json -C 1 '" + root + "' '表示'");
    ASSERT_EQ(outcome.status, 0);
    std::ofstream(base + "/json") << outcome.out;
    const std::string command =
        "python3 '" + script + "' '" + base + "/json' e8a1a8e7a4ba >'" + base + "/checked' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadAll(base + "/checked");
    // Four files with hits in five; six hit lines (one as bytes) with seven hits, and the two
    // lines between the Shift_JIS file's hits as context.
    EXPECT_EQ(ReadAll(base + "/checked"), "4 6 2 1 5 4 6 7\n");
}

TEST_F(CliSearchTest, ColoursAndColumnsOnRequest) {
    Write("a.txt", "xxxxxxxxxxxxxxxxxxxx foo yyyyyyyyyyyyyyyyyyyy\n");
    EXPECT_EQ(Run("search --relative --color always --lines '" + root + "' foo").out,
              "\x1B[35m\x1B[Ka.txt\x1B[m\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K\x1B[32m\x1B[K1\x1B[m"
              "\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[Kxxxxxxxxxxxxxxxxxxxx \x1B[01;31m\x1B[Kfoo\x1B[m"
              "\x1B[K yyyyyyyyyyyyyyyyyyyy\n");
    // A file is no terminal: auto gives no colour; nor does --json ever.
    EXPECT_EQ(Run("search --relative --lines '" + root + "' foo").out.find('\x1B'),
              std::string::npos);
    EXPECT_EQ(Run("search --color always --json '" + root + "' foo").out.find('\x1B'),
              std::string::npos);
    // Twelve bytes from a quarter before the hit; the column still counts in the whole line.
    EXPECT_EQ(Run("search --relative --vimgrep --max-columns 12 '" + root + "' foo").out,
              "a.txt:1:22:\x81\x63xx foo yyyyy\x81\x63\n");
    EXPECT_EQ(Run("--utf8 search --relative --lines --max-columns 12 '" + root + "' foo").out,
              Utf8(u8"a.txt:1:…xx foo yyyyy…\n"));
}

// The report is the rows' as ever; stdout carries the lines alone.
TEST_F(CliSearchTest, ReportIsWrittenBesideTheLines) {
    Write("a.txt", "ab\nab ab\n");
    const std::string report = base + "/report.txt";
    Outcome outcome = Run("search --relative --json --report '" + report + "' '" + root + "' ab");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.find("{\"type\":\"begin\""), 0u);
    EXPECT_EQ(outcome.out.find('\t'), std::string::npos);
    EXPECT_NE(ReadAll(report).find("a.txtの中に3個、発見されました。"), std::string::npos);
}

TEST_F(CliSearchTest, LineFormsAreUsageErrorsTogether) {
    for (const char* options : {"--lines --json", "--vimgrep --lines", "--json --vimgrep"}) {
        Outcome outcome = Run(std::string("search ") + options + " '" + root + "' ab");
        EXPECT_EQ(outcome.status, 2) << options;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err.find("quelbrix search: --lines, --vimgrep and --json exclude each "
                                   "other\nusage: quelbrix search"),
                  0u)
            << outcome.err;
    }
    for (const char* options : {"-C -1", "--context -3 --lines", "--max-columns -1"}) {
        Outcome outcome = Run(std::string("search ") + options + " '" + root + "' ab");
        EXPECT_EQ(outcome.status, 2) << options;
        EXPECT_NE(outcome.err.find("needs a number of 0 or more"), std::string::npos) << options;
    }
}

}  // namespace

namespace {

// Folding: each line of kFoldLines is one form, so the hit lines tell which forms a search
// joins. Literals are Shift_JIS, those in u8"" UTF-8.
const char kFoldLines[] =
    "PDF\r\npdf\r\nＰＤＦ\r\nｐｄｆ\r\nリンゴ\r\nりんご\r\nﾃﾞｰﾀ\r\nデータ\r\nでーた\r\n"
    "ｶﾞｽ\r\nｶｽ\r\nﾊﾟﾝ\r\nパン\r\nｳﾞｨ\r\nヴィ\r\nあ\r\nア\r\nイ\r\nｱ\r\n\\\r\n￥\r\n";

// The texts of the hit lines of --lines output, without their ends, joined by '|'.
std::string HitTexts(const std::string& out) {
    std::string texts;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t number = line.find(':');
        const std::size_t text = line.find(':', number + 1) + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        texts += (texts.empty() ? "" : "|") + line.substr(text);
    }
    return texts;
}

struct FoldSearchCase {
    const char* options;
    const char* word;  // shell-quoted as it is
    const char* hits;  // the lines' texts, '|' between them
};

// Through the command line, for plain words and expressions alike. The cases with width or
// kana, and the plain words with -i, need Grexmo's width and kana folding.
TEST_F(CliSearchTest, FoldsJoinTheFormsTheyName) {
    Write("f.txt", kFoldLines);
    const FoldSearchCase cases[] = {
        {"", "pdf", "pdf"},
        {"--regex -i", "pdf", "PDF|pdf"},
        {"--regex -i", "ｐｄｆ", "ＰＤＦ|ｐｄｆ"},  // case stays within its width
        {"--regex", "(?i)PDF", "PDF|pdf"},
        {"-i", "ｐｄｆ", "ＰＤＦ|ｐｄｆ"},
        {"--ignore-case", "PDF", "PDF|pdf"},
        {"-i", "りんご", "りんご"},
        {"--ignore-width", "PDF", "PDF|ＰＤＦ"},
        {"--ignore-width", "ｐｄｆ", "pdf|ｐｄｆ"},
        {"-i --ignore-width", "pdf", "PDF|pdf|ＰＤＦ|ｐｄｆ"},
        {"--regex --ignore-width", "(?i)Pdf", "PDF|pdf|ＰＤＦ|ｐｄｆ"},
        {"--regex", "(?iw)ＰＤＦ", "PDF|pdf|ＰＤＦ|ｐｄｆ"},
        {"--regex", "(?w)ＰＤＦ", "PDF|ＰＤＦ"},
        {"--ignore-kana", "りんご", "リンゴ|りんご"},
        {"--ignore-kana", "データ", "データ|でーた"},  // ー is the same in both
        {"--ignore-width", "データ", "ﾃﾞｰﾀ|データ"},
        {"--ignore-width", "ﾃﾞｰﾀ", "ﾃﾞｰﾀ|データ"},
        {"-i --ignore-width --ignore-kana", "データ", "ﾃﾞｰﾀ|データ|でーた"},
        {"--regex", "(?wk)データ", "ﾃﾞｰﾀ|データ|でーた"},
        {"--ignore-width", "パン", "ﾊﾟﾝ|パン"},
        {"--ignore-width", "ヴィ", "ｳﾞｨ|ヴィ"},
        {"--ignore-width", "ガス", "ｶﾞｽ"},
        // ｶﾞ is one character: カ does not hit its ｶ, nor ｶ alone its ｶ.
        {"--ignore-width", "カ", "ｶｽ"},
        {"--ignore-width", "ｶ", "ｶｽ"},
        {"--regex --ignore-width", "^ｶ.$", "ｶｽ"},
        {"--ignore-width", "￥", "\\|￥"},
        {"--regex --ignore-kana", "[あ-お]", "ヴィ|あ|ア|イ"},  // ィ is ぃ
        {"--regex --ignore-kana --ignore-width", "[あ-お]", "ｳﾞｨ|ヴィ|あ|ア|イ|ｱ"},
        // Classes fold member by member before they are negated.
        {"--regex", "^[^あ]$", "ア|イ|ｱ|\\|￥"},
        {"--regex --ignore-kana", "^[^あ]$", "イ|ｱ|\\|￥"},
        {"--regex --ignore-kana --ignore-width", "^[^あ]$", "イ|\\|￥"},
        {"--regex", "^[^\\\\]$", "あ|ア|イ|ｱ|￥"},
        {"--regex --ignore-width", "^[^\\\\]$", "あ|ア|イ|ｱ"},
        {"--regex", "(?k:り)んご", "りんご"},
        {"--regex", "(?k:リ)んご", "りんご"},
        {"--regex", "(?k:リン)ゴ", "リンゴ"},
    };
    for (const FoldSearchCase& c : cases) {
        const Outcome outcome = Run(std::string("search --lines --relative ") + c.options + " '" +
                                    root + "' '" + c.word + "'");
        EXPECT_EQ(outcome.status, 0) << c.options << " " << c.word << ": " << outcome.err;
        EXPECT_EQ(HitTexts(outcome.out), c.hits) << c.options << " " << c.word;
    }
}

// The line, its colour, its column and its JSON show what hit as the file writes it, and the
// offsets are those of the file's text, whatever the word's own length.
TEST_F(CliSearchTest, CaseFoldedHitsArePrintedAsWritten) {
    Write("a.txt", "一行目\r\nthe Pdf file\r\n");
    EXPECT_EQ(Run("search --relative --regex -i --color always --lines '" + root + "' pdf").out,
              "\x1B[35m\x1B[Ka.txt\x1B[m\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K\x1B[32m\x1B[K2\x1B[m"
              "\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[Kthe \x1B[01;31m\x1B[KPdf\x1B[m\x1B[K file\r\n");
    EXPECT_EQ(Run("search --relative --regex -i --vimgrep '" + root + "' pdf").out,
              "a.txt:2:5:the Pdf file\r\n");
    const std::string json = Run("search --relative --regex -i --json '" + root + "' pdf").out;
    EXPECT_NE(json.find("\"line_number\":2,\"absolute_offset\":8,\"submatches\":[{\"match\":"
                        "{\"text\":\"Pdf\"},\"start\":4,\"end\":7}]"),
              std::string::npos)
        << json;
}

TEST_F(CliSearchTest, WidthFoldedHitsArePrintedAsWritten) {
    // ﾃﾞｰﾀ is four bytes in Shift_JIS, データ six: the hit's length is the file's.
    Write("a.txt", "一行目\r\n新しいﾃﾞｰﾀです\r\n");
    const std::string folds = "-i --ignore-width --ignore-kana ";
    EXPECT_EQ(Run("search --relative --lines " + folds + "'" + root + "' データ").out,
              "a.txt:2:新しいﾃﾞｰﾀです\r\n");
    EXPECT_EQ(
        Run("search --relative --color always --lines " + folds + "'" + root + "' データ").out,
        "\x1B[35m\x1B[Ka.txt\x1B[m\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K\x1B[32m\x1B[K2\x1B[m"
        "\x1B[K\x1B[36m\x1B[K:\x1B[m\x1B[K新しい\x1B[01;31m\x1B[Kﾃﾞｰﾀ\x1B[m\x1B[Kです\r\n");
    EXPECT_EQ(Run("search --relative --vimgrep " + folds + "'" + root + "' でーた").out,
              "a.txt:2:7:新しいﾃﾞｰﾀです\r\n");
    EXPECT_EQ(
        Run("--utf8 search --relative --vimgrep " + folds + "'" + root + "' " + Utf8(u8"データ"))
            .out,
        Utf8(u8"a.txt:2:10:新しいﾃﾞｰﾀです\r\n"));
    // Offsets into the UTF-8 line: 新しい is 9 bytes, ﾃﾞｰﾀ 12; the line starts at byte 8 of
    // the Shift_JIS text.
    const std::string json = Run("search --relative --json " + folds + "'" + root + "' データ").out;
    EXPECT_NE(json.find(Utf8(u8"\"lines\":{\"text\":\"新しいﾃﾞｰﾀです\\r\\n\"},\"line_number\":2,"
                             u8"\"absolute_offset\":8,\"submatches\":[{\"match\":{\"text\":"
                             u8"\"ﾃﾞｰﾀ\"},\"start\":9,\"end\":21}]")),
              std::string::npos)
        << json;
}

// An expression is checked with the folds the search compiles it with: 15,000 instructions
// unfolded, past Grexmo's 20,000 once every ガ may also be ｶﾞ.
TEST_F(CliSearchTest, ExpressionIsCheckedWithItsFolds) {
    Write("a.txt", "ガ");
    std::string pattern;
    for (int i = 0; i < 15; ++i) pattern += "ガ{1000}";
    EXPECT_EQ(Run("search --regex '" + root + "' '" + pattern + "'").status, 0);
    const Outcome outcome = Run("search --regex --ignore-width '" + root + "' '" + pattern + "'");
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.find("quelbrix search: invalid regular expression: "), 0u) << outcome.err;
    // A plain word of thousands of kana folds into too large a program: said, not searched.
    const std::string word(8000, 'x');
    std::string kana;
    for (int i = 0; i < 4000; ++i) kana += "か";
    EXPECT_EQ(Run("search -i '" + root + "' '" + word + "'").status, 0);
    const Outcome folded = Run("search --ignore-width --ignore-kana '" + root + "' '" + kana + "'");
    EXPECT_EQ(folded.status, 2);
    EXPECT_EQ(folded.err.find("quelbrix search: the word cannot be searched: pattern too large"),
              0u)
        << folded.err.substr(0, 200);
    // The reason of a bad expression stays its own with folds on.
    EXPECT_EQ(Run("search --regex -i --ignore-kana '" + root + "' 'a('").err,
              "quelbrix search: invalid regular expression: missing ) to close the group at "
              "offset 1\n");
}

// The output on four threads is the one thread's, byte for byte: rows, hit lines with their
// context, JSON (but for its timings), the report, the boxes and the status, also when a file
// that cannot be opened ends the search or is asked about.
TEST_F(CliSearchTest, FourThreadsPrintWhatOneThreadPrints) {
    for (int folder = 0; folder < 4; ++folder) {
        const std::string sub = "d" + std::to_string(folder) + "/";
        mkdir((root + sub).c_str(), 0755);
        for (int file = 0; file < 25; ++file) {
            std::string text;
            for (int line = 0; line < (folder * 25 + file) % 9; ++line)
                text += line % 3 == 0 ? "an ab line\r\n" : "other\n";
            Write(sub + "f" + std::to_string(file) + ".txt", text);
        }
    }
    // A link to nowhere is listed as a file that cannot be opened, whoever runs the test.
    ASSERT_EQ(symlink((root + "missing").c_str(), (root + "d2/gone.txt").c_str()), 0);
    ASSERT_EQ(symlink((root + "missing").c_str(), (root + "d1/gone.bad").c_str()), 0);
    const std::regex timings("\"elapsed(_total)?\":\\{[^}]*\\}");
    const std::string report = base + "/report.txt";
    for (const std::string& options : std::vector<std::string>{
             "--subfolders", "--subfolders --relative --lines -C 1", "--subfolders --json",
             "--subfolders --vimgrep --no-count", "--subfolders --error-policy 2",
             "--subfolders --answer no --lines", "--subfolders --error-policy 1 --progress",
             "--subfolders --ext 'bad,txt,' --report '" + report + "'",
             "--subfolders --exclude-dir 'd1;?3' --progress"}) {
        SCOPED_TRACE(options);
        const Outcome one = Run("search -j1 " + options + " '" + root + "' ab");
        const std::string oneReport = ReadAll(report);
        const Outcome four = Run("search " + options + " --threads 4 '" + root + "' ab");
        EXPECT_EQ(std::regex_replace(four.out, timings, ""),
                  std::regex_replace(one.out, timings, ""));
        EXPECT_EQ(four.err, one.err);
        EXPECT_EQ(four.status, one.status);
        EXPECT_EQ(ReadAll(report), oneReport);
        EXPECT_GT(one.out.size(), 100u);
    }
}

TEST_F(CliSearchTest, ThreadsOutsideTheirRangeAreUsageErrors) {
    Write("a.txt", "ab");
    for (const char* threads : {"-j0", "-jx", "--threads 257", "-j -1"}) {
        const Outcome outcome = Run(std::string("search ") + threads + " '" + root + "' ab");
        EXPECT_EQ(outcome.status, 2) << threads;
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err.find("quelbrix search: --threads needs a number"), 0u) << outcome.err;
    }
}

}  // namespace
