// The settings-file editor on any text: a value written reads back as written (up to its
// first line break), the keys of other sections and other keys read as before, the edit
// touches one line only, and writing the same value again changes nothing.
#include <string>

#include "fuzz_check.h"
#include "ini_text.h"

using namespace quelbrix;
using quelbrix_fuzz::Input;
using quelbrix_fuzz::Shown;

namespace {

// Names as the program writes them, with double-byte characters whose trail bytes are
// 0x5C, 0x5D or an ASCII letter.
std::string Name(Input& in) {
    static const char* const kPieces[] = {"s", "k",        "S",        "K",        "t",       "x1",
                                          "_", "\x95\x5C", "\x83\x5D", "\x83\x41", "\x83\x61"};
    std::string name;
    for (std::size_t i = 0, n = 1 + in.Pick(3); i < n; ++i)
        name += kPieces[in.Pick(sizeof kPieces / sizeof *kPieces)];
    return name;
}

std::string Lookup(const std::string& text, const std::string& section, const std::string& key) {
    std::string value = "(none)";
    FindIniValue(text, section, key, value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::string section = Name(in), key = Name(in);
    const std::string otherSection = Name(in), otherKey = Name(in);
    const std::string value = in.Field();
    const std::string text = in.Rest();
    const std::string what =
        "[" + Shown(section) + "] " + Shown(key) + "=" + Shown(value) + " in '" + Shown(text) + "'";

    const std::string edited = SetIniValue(text, section, key, value);
    FUZZ_CHECK(Lookup(edited, section, key) == value.substr(0, value.find_first_of("\r\n")), what);
    if (!SameIniName(otherSection, section) || !SameIniName(otherKey, key)) {
        FUZZ_CHECK(Lookup(edited, otherSection, otherKey) == Lookup(text, otherSection, otherKey),
                   what);
    }
    std::size_t prefix = 0, suffix = 0;
    while (prefix < text.size() && prefix < edited.size() && text[prefix] == edited[prefix])
        ++prefix;
    while (suffix < text.size() - prefix && suffix < edited.size() - prefix &&
           text[text.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    FUZZ_CHECK(text.find('\n', prefix) >= text.size() - suffix,
               "more than one line changed: " + what);
    FUZZ_CHECK(SetIniValue(edited, section, key, value) == edited,
               "a second write changed the text: " + what);

    // Names straight from the input: nothing is asked of the result but that it is made.
    Input raw(data, size);
    SetIniValue(raw.Field(), raw.Field(), raw.Field(), raw.Rest());
    return 0;
}
