// quelbrix guess and quelbrix convert, run as a user would run them, on files written here.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

struct PipeCloser {
    void operator()(std::FILE* pipe) const { pclose(pipe); }
};

// Everything the command writes to stdout.
std::string Stdout(const std::string& arguments) {
    const std::string command = std::string(QUELBRIX_CLI) + " " + arguments + " 2>/dev/null";
    std::unique_ptr<std::FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    std::string out;
    char chunk[4096];
    std::size_t got;
    while (pipe && (got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0)
        out.append(chunk, got);
    return out;
}

int Status(const std::string& arguments) {
    const int status =
        std::system((std::string(QUELBRIX_CLI) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 日本語の漢字 and CR LF, made with Python's codecs.
const std::string kShiftJis = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x8A\xBF\x8E\x9A\r\n";
const std::string kJis = "\x1B$BF|K\\8l$N4A;z\x1B(B\r\n";
const std::string kEuc = "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xB4\xC1\xBB\xFA\r\n";
const std::string kUtf16 =
    std::string("\xE5\x65\x2C\x67\x9E\x8A\x6E\x30\x22\x6F\x57\x5B\r\0\n\0", 16);

class KanjiCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("quelbrix-kanji-cli-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        for (const auto& [name, bytes] :
             {std::pair{"sjis.txt", &kShiftJis}, std::pair{"jis.txt", &kJis},
              std::pair{"euc.txt", &kEuc}, std::pair{"utf16.txt", &kUtf16}}) {
            std::ofstream(folder / name, std::ios::binary) << *bytes;
        }
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string File(const char* name) const { return (folder / name).string(); }

    fs::path folder;
};

TEST_F(KanjiCli, GuessNamesEachFilesEncoding) {
    EXPECT_EQ(Stdout("guess " + File("sjis.txt") + " " + File("jis.txt") + " " + File("euc.txt") +
                     " " + File("utf16.txt")),
              File("sjis.txt") + ": SJIS\n" + File("jis.txt") + ": JIS\n" + File("euc.txt") +
                  ": EUC\n" + File("utf16.txt") + ": UNICODE\n");
}

TEST_F(KanjiCli, GuessGoesOnAfterAFileItCannotRead) {
    EXPECT_EQ(Stdout("guess " + File("missing.txt") + " " + File("euc.txt")),
              File("euc.txt") + ": EUC\n");
    EXPECT_EQ(Status("guess " + File("missing.txt")), 1);
}

TEST_F(KanjiCli, ConvertAutoGivesShiftJisForEveryEncoding) {
    for (const char* name : {"sjis.txt", "jis.txt", "euc.txt", "utf16.txt"}) {
        EXPECT_EQ(Stdout("convert " + File(name)), kShiftJis) << name;
    }
}

TEST_F(KanjiCli, ConvertFromForcesTheConverter) {
    EXPECT_EQ(Stdout("convert --from euc " + File("euc.txt")), kShiftJis);
    EXPECT_EQ(Stdout("convert --from jis " + File("jis.txt")), kShiftJis);
    EXPECT_EQ(Stdout("convert --from utf16 " + File("utf16.txt")), kShiftJis);
    // Forced on text that is not EUC-JP, the EUC converter still runs.
    EXPECT_NE(Stdout("convert --from euc " + File("sjis.txt")), kShiftJis);
    EXPECT_EQ(Status("convert --from latin1 " + File("sjis.txt")), 2);
    EXPECT_EQ(Status("convert"), 2);
}

}  // namespace
