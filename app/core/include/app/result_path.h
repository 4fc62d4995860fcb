// Turning a result row back into the file it names, and into the text handed to a program.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

// The full path of a row whose first cell reads `cellText`: the search folder (which ends with
// its separator) in front of it when the search listed relative paths, else the text alone.
// False, with `path` empty, when the cell is empty or the path would be longer than
// kPathTextBytes (common/text_limits.h): a path cut short would name some other file.
bool ComposeResultPath(const std::string& searchFolder, bool relativePaths,
                       const std::string& cellText, std::string& path);

// The parameter text for a program that opens `path`: in double quotes when the path holds a
// space, so that it reaches the program as one argument; unchanged otherwise.
std::string ProgramParameterFor(const std::string& path);

}  // namespace quelbrix
