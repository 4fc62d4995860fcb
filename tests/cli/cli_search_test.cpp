// Runs the built `quelbrix` over temporary folders and checks its rows, boxes and status.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

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
        return "QuelbrixD.DLL - QuelbrixU SupportSystem\t「" + word + "」を検索した結果、\\n" +
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
    EXPECT_EQ(outcome.err,
              "QuelbrixD.DLL - QuelbrixU SupportSystem\t検索中にエラーが発生しました。\\n"
              "ファイル名：" +
                  root +
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
              "QuelbrixU Ver4.13 結果ファイル\r\n"
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
