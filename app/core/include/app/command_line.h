// The switches and the folder argument of the program's command line.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

// Only the first 1,024 bytes of a command line are looked at.
constexpr std::size_t kCommandLineCapacity = 1024;

struct CommandLineRequest {
    std::string folder;    // empty when none was given
    bool hasWord = false;  // /w was given
    std::string word;
    bool useRegex = false;          // /f
    bool searchSubfolders = false;  // /u
    bool startSearch = false;       // /s
};

// Scans `commandLine` (the text after the program name). A folder argument or a /w word that
// runs into the 1,024-byte limit while the text goes on beyond it is dropped rather than used
// cut short, since a shortened path could name another folder.
CommandLineRequest ScanCommandLine(const std::string& commandLine);
// The same for a command line already kept to its first bytes; `cutShort` tells that the
// original went on beyond them.
CommandLineRequest ScanCommandLine(const std::string& kept, bool cutShort);

}  // namespace quelbrix
