// How the result list opens a found file: with its associated program, or with the program
// chosen on the General page ([whole] appli and path).
#pragma once

#include <string>

#include "app/profile_file.h"

namespace quelbrix {

struct FileOpener {
    bool userProgram = false;  // appli: false for the associated program
    std::string programPath;   // path, at most kEditTextBytes
};

// Any appli but 0 means the chosen program: the General page shows a stray value that way,
// and opening a file does what the page shows.
FileOpener ReadFileOpener(ProfileFile& profile);

enum class OpenWith {
    kAssociatedProgram,
    kUserProgram,
    kNoProgramChosen,  // the chosen program's path is empty: nothing can be started
};

OpenWith HowToOpen(const FileOpener& opener);

}  // namespace quelbrix
