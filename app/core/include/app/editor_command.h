// The command line that opens a file at a line in the user's editor, from a template of its
// arguments: %F the file's path, %L the line number.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

// `arguments` with %L replaced by `line` and %F by `path`, the path put between double quotes
// when it holds a blank and the template does not already quote it; %% is one percent sign,
// and any other % stays as it is. A template without %F gets the path appended after a blank,
// so that the file is opened whatever the user typed. Shift_JIS-aware.
std::string ExpandEditorArguments(const std::string& arguments, const std::string& path,
                                  std::size_t line);

// The longest command line a started process can be given (CreateProcess's limit), its
// terminating zero included. Counted in bytes: a Shift_JIS text never has fewer bytes than
// UTF-16 units, so a text within this many bytes stays within the limit once widened.
constexpr std::size_t kCommandLineBytes = 32767;

// The editor program the user typed, as a path: blanks around it and one pair of double
// quotes around it removed. Empty when nothing is left: no editor is set.
std::string EditorProgramPath(const std::string& typed);

// The command line that starts `program` (a path as EditorProgramPath gives it) on `path` at
// `line`: the program's path in double quotes, a blank, then ExpandEditorArguments(arguments,
// path, line); with no arguments left, the quoted path alone. False, with `commandLine` empty,
// when the program is empty or holds a double quote (no file name does, and the command line
// would name another program) or when the command line with its terminating zero would be
// longer than kCommandLineBytes.
bool BuildEditorCommandLine(const std::string& program, const std::string& arguments,
                            const std::string& path, std::size_t line, std::string& commandLine);

// The documented command lines of common editors, offered in the settings' drop-down.
struct EditorPreset {
    const char* name;       // as the drop-down shows it
    const char* arguments;  // the template
};
extern const EditorPreset kEditorPresets[];
extern const std::size_t kEditorPresetCount;

}  // namespace quelbrix
