#include "kanji_options.h"

#include <iterator>

namespace quelbrix {

namespace {

constexpr Option<ConvertArguments> kConvertOptions[] = {
    // Named in the synopsis; the notes say what each word does.
    {{"--from", nullptr, OptionKind::kChoice, "auto|jis|euc|utf16", nullptr, nullptr},
     [](ConvertArguments& a, const OptionValue& v) {
         a.from = static_cast<ConvertFrom>(v.number);
     }},
};

}  // namespace

constexpr Command<GuessArguments> kGuessCommand = {
    {
        "guess",
        OptionSyntax::kDeclaredOnly,
        // No FILE is told by the usage alone.
        {"FILE...", 1, kAnyNumber, nullptr, nullptr},
        nullptr,  // every argument is a FILE
        0,        // no option lines
        "  prints FILE: and the kanji code the search would take it for\n",
    },
    nullptr,
    0,
};

constexpr Command<ConvertArguments> kConvertCommand = {
    {
        "convert",
        OptionSyntax::kDeclaredOnly,
        {"FILE", 1, 1, "FILE is needed", "one FILE only"},
        nullptr,  // every other argument is a FILE
        0,        // no option lines
        "  auto (the default) converts ISO-2022-JP, EUC-JP and UTF-16LE text as the search does\n"
        "  and copies any other text unchanged; jis, euc and utf16 force that converter.\n",
    },
    kConvertOptions,
    std::size(kConvertOptions),
};

bool ReadGuessArguments(int argc, char** argv, GuessArguments& arguments) {
    std::vector<char*> operands;
    if (!ReadArguments(kGuessCommand, argc, argv, arguments, operands)) return false;
    arguments.files.assign(operands.begin(), operands.end());
    return true;
}

bool ReadConvertArguments(int argc, char** argv, ConvertArguments& arguments) {
    std::vector<char*> operands;
    if (!ReadArguments(kConvertCommand, argc, argv, arguments, operands)) return false;
    arguments.file = operands[0];
    return true;
}

}  // namespace quelbrix
