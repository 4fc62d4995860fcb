// The Extension list: splitting gives the non-empty comma-separated fields cut to 20 bytes,
// in order; matching any path against any item reads nothing past either string, an empty
// item takes every path, and a file name ending in ".<item>" (ASCII case aside) matches.
#include <cstring>
#include <string>
#include <vector>

#include "extension_list.h"
#include "fuzz_check.h"

using namespace quelbrix;
using quelbrix_fuzz::Input;
using quelbrix_fuzz::Shown;

namespace {

std::vector<std::string> ReferenceSplit(const std::string& list) {
    if (list.empty()) return {""};
    std::vector<std::string> items;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = list.find(',', from);
        const std::string field =
            list.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (!field.empty()) items.push_back(field.substr(0, kMaxExtensionItem));
        if (comma == std::string::npos) return items;
        from = comma + 1;
    }
}

// Matches with both strings in buffers of exactly their size.
bool Matches(const std::string& path, const std::string& item) {
    const std::vector<char> p(path.c_str(), path.c_str() + path.size() + 1);
    const std::vector<char> i(item.c_str(), item.c_str() + item.size() + 1);
    return MatchesExtension(p.data(), i.data());
}

std::string FlipCase(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

bool PlainAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x21 || c >= 0x7F || c == '.' || c == '/' || c == '\\') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    std::string list = in.Field();
    list = list.substr(0, list.find('\0'));
    std::string path = in.Rest();
    path = path.substr(0, path.find('\0'));
    const std::string what = "list '" + Shown(list) + "' path '" + Shown(path) + "'";

    const std::vector<char> exact(list.c_str(), list.c_str() + list.size() + 1);
    const std::vector<ExtensionItem> items = SplitExtensionList(exact.data());
    const std::vector<std::string> want = ReferenceSplit(list);
    FUZZ_CHECK(items.size() == want.size(), what);
    for (std::size_t k = 0; k < items.size(); ++k) {
        FUZZ_CHECK(items[k].text == want[k], what);
        const bool matched = Matches(path, items[k].text);
        if (want[k].empty()) FUZZ_CHECK(matched, what);
        if (PlainAscii(want[k]) &&
            (path.empty() || static_cast<unsigned char>(path.back()) < 0x80)) {
            FUZZ_CHECK(Matches(path + "/n." + FlipCase(want[k]), want[k]),
                       "item " + Shown(want[k]) + ", " + what);
            if (!want[k].empty())
                FUZZ_CHECK(!Matches(path + "/n", want[k]), "item " + Shown(want[k]) + ", " + what);
        }
    }
    return 0;
}
