// The command-line scan on any text: the folder and the word come from within the first
// 1,024 bytes, the word holds no quote, and a command line scanned whole gives what its kept
// first bytes give when told it was cut.
#include <string>

#include "app/command_line.h"
#include "fuzz_check.h"

using namespace quelbrix;
using quelbrix_fuzz::Shown;

namespace {

bool Same(const CommandLineRequest& a, const CommandLineRequest& b) {
    return a.folder == b.folder && a.hasWord == b.hasWord && a.word == b.word &&
           a.useRegex == b.useRegex && a.searchSubfolders == b.searchSubfolders &&
           a.startSearch == b.startSearch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool cutShort = data[0] & 1;
    const std::string line(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string what = "'" + Shown(line) + "'";
    const std::string kept = line.substr(0, kCommandLineCapacity);
    const std::string scanned = kept.substr(0, kept.find('\0'));

    const CommandLineRequest request = ScanCommandLine(line, cutShort);
    FUZZ_CHECK(scanned.find(request.folder) != std::string::npos,
               "folder " + Shown(request.folder) + " of " + what);
    FUZZ_CHECK(scanned.find(request.word) != std::string::npos,
               "word " + Shown(request.word) + " of " + what);
    FUZZ_CHECK(request.word.find('"') == std::string::npos, what);
    FUZZ_CHECK(request.word.empty() || request.hasWord, what);
    FUZZ_CHECK(Same(request, ScanCommandLine(kept, cutShort || line.size() > kCommandLineCapacity)),
               what);
    if (!cutShort) FUZZ_CHECK(Same(request, ScanCommandLine(line)), what);
    return 0;
}
