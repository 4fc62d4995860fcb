// Turning what the user gave (field text, command-line argument, dropped item) into folder text.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

// The folder and word fields are read up to this many bytes.
constexpr std::size_t kFieldTextBytes = 1022;

enum class FolderCheck { kOk, kEmpty, kTooLong };

// The request's folder: the field text with one backslash appended when its last character is
// not one. A folder of more than kPathTextBytes bytes before that backslash (kPathBytes with
// it) is refused, never cut into another name.
FolderCheck PrepareSearchFolder(const std::string& fieldText, std::string& folder);

// What the folder field gets for a command-line folder argument. `resolved` is the argument as
// the shell resolved it (or the argument itself); `namesFolder` is true when it is a folder or
// its attributes cannot be read.
std::string FolderFieldForArgument(const std::string& argument, const std::string& resolved,
                                   bool namesFolder);

// What the folder field gets for a dropped item: a folder as it is, a file's containing folder.
std::string FolderFieldForDroppedItem(const std::string& path, bool isFolder);

}  // namespace quelbrix
