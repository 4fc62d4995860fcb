// quelbrix guess FILE...                              the detector's verdict for each file
// quelbrix convert [--from auto|jis|euc|utf16] FILE   the file as the search sees it, to stdout
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "commands.h"
#include "engine/convert_stage.h"
#include "kanji/kanji_code.h"
#include "kanji/kanji_convert.h"
#include "kanji_options.h"
#include "options.h"
#include "utf8_terminal.h"

namespace quelbrix {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The whole file followed by one zero byte, as the file matcher holds it; false when the file
// cannot be read or is too large for the engine's 32-bit counts.
bool ReadWholeFile(const char* path, std::vector<char>& bytes) {
    FilePtr file(std::fopen(path, "rb"));
    if (!file) return false;
    bytes.clear();
    char chunk[64 * 1024];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > INT32_MAX / 2) return false;
    }
    if (std::ferror(file.get())) return false;
    bytes.push_back('\0');
    return true;
}

bool WriteAll(const char* data, std::size_t size, const TerminalText& terminal) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the bytes as they are, CR LF untouched
#endif
    return terminal.Write(stdout, data, size) && std::fflush(stdout) == 0;
}

// Forces one converter; the output never exceeds the input by more than one byte.
bool ConvertForced(ConvertFrom from, const std::vector<char>& bytes, const TerminalText& terminal) {
    const auto length = static_cast<std::uint32_t>(bytes.size() - 1);
    std::vector<char> out(2 * static_cast<std::size_t>(length) + 2);
    const auto capacity = static_cast<std::uint32_t>(out.size());
    std::int32_t written = -1;
    switch (from) {
    case ConvertFrom::kJis:
        written = JisToSjis(out.data(), bytes.data(), capacity, length);
        break;
    case ConvertFrom::kEuc:
        written = EucToSjis(out.data(), bytes.data(), capacity, length);
        break;
    default:
        written = UnicodeToSjis(out.data(), bytes.data(), capacity, length);
        break;
    }
    return written >= 0 && WriteAll(out.data(), static_cast<std::size_t>(written), terminal);
}

bool ConvertAuto(const std::vector<char>& bytes, const TerminalText& terminal) {
    const std::size_t length = bytes.size() - 1;
    ReusableBuffer converted;
    const ConvertResult result =
        ConvertStage(bytes.data(), static_cast<std::uint32_t>(length), converted);
    switch (result.outcome) {
    case ConvertOutcome::kConverted:
        return WriteAll(result.text, std::strlen(result.text), terminal);
    case ConvertOutcome::kNoConversion:
        return WriteAll(bytes.data(), length, terminal);
    default:
        return false;
    }
}

// The file names are the system's own, printed as given in either mode.
int RunGuessCommand(int argc, char** argv, const TerminalText&) {
    GuessArguments arguments;
    if (!ReadGuessArguments(argc, argv, arguments)) return kUsageErrorStatus;
    int status = kDoneStatus;
    std::vector<char> bytes;
    for (const char* path : arguments.files) {
        if (!ReadWholeFile(path, bytes)) {
            std::fprintf(stderr, "quelbrix guess: cannot read %s\n", path);
            status = kEndedEarlyStatus;
            continue;
        }
        const auto length = static_cast<std::int32_t>(bytes.size() - 1);
        std::printf("%s: %s\n", path, KanjiCodeName(DetectKanjiCode(bytes.data(), length)));
    }
    std::fflush(stdout);
    return status;
}

int RunConvertCommand(int argc, char** argv, const TerminalText& terminal) {
    ConvertArguments arguments;
    if (!ReadConvertArguments(argc, argv, arguments)) return kUsageErrorStatus;
    const char* const path = arguments.file;
    const ConvertFrom from = arguments.from;

    std::vector<char> bytes;
    if (!ReadWholeFile(path, bytes)) {
        std::fprintf(stderr, "quelbrix convert: cannot read %s\n", path);
        return kEndedEarlyStatus;
    }
    const bool written = from == ConvertFrom::kAuto ? ConvertAuto(bytes, terminal)
                                                    : ConvertForced(from, bytes, terminal);
    if (!written) {
        std::fprintf(stderr, "quelbrix convert: cannot convert %s\n", path);
        return kEndedEarlyStatus;
    }
    return kDoneStatus;
}

}  // namespace

const CommandEntry kGuessEntry = {kGuessCommand.info.name, RunGuessCommand,
                                  [] { return Synopsis(kGuessCommand); },
                                  [] { return UsageText(kGuessCommand); }};

const CommandEntry kConvertEntry = {kConvertCommand.info.name, RunConvertCommand,
                                    [] { return Synopsis(kConvertCommand); },
                                    [] { return UsageText(kConvertCommand); }};

}  // namespace quelbrix
