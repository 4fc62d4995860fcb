// The arguments of `quelbrix guess FILE...` and `quelbrix convert [--from ...] FILE`, read by
// their declared options.
#ifndef QUELBRIX_CLI_KANJI_OPTIONS_H
#define QUELBRIX_CLI_KANJI_OPTIONS_H

#include <vector>

#include "options.h"

namespace quelbrix {

struct GuessArguments {
    std::vector<const char*> files;  // at least one, names as typed
};

// In the order of --from's words.
enum class ConvertFrom { kAuto, kJis, kEuc, kUtf16 };

struct ConvertArguments {
    ConvertFrom from = ConvertFrom::kAuto;
    const char* file = nullptr;
};

extern const Command<GuessArguments> kGuessCommand;
extern const Command<ConvertArguments> kConvertCommand;

// Each reads the arguments after its command's name; false after telling a usage error on
// stderr.
bool ReadGuessArguments(int argc, char** argv, GuessArguments& arguments);
bool ReadConvertArguments(int argc, char** argv, ConvertArguments& arguments);

}  // namespace quelbrix

#endif
