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

// The documented command lines of common editors, offered in the settings' drop-down.
struct EditorPreset {
    const char* name;       // as the drop-down shows it
    const char* arguments;  // the template
};
extern const EditorPreset kEditorPresets[];
extern const std::size_t kEditorPresetCount;

}  // namespace quelbrix
