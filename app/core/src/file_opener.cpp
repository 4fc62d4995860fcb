#include "app/file_opener.h"

#include "app/settings_keys.h"
#include "common/text_limits.h"

namespace quelbrix {

FileOpener ReadFileOpener(ProfileFile& profile) {
    profile.SetSection(kWholeSection);
    FileOpener opener;
    opener.userProgram = profile.GetInt(kUserProgramKey) != 0;
    opener.programPath = profile.GetString(kProgramPathKey, kEditTextBytes);
    return opener;
}

OpenWith HowToOpen(const FileOpener& opener) {
    if (!opener.userProgram) return OpenWith::kAssociatedProgram;
    return opener.programPath.empty() ? OpenWith::kNoProgramChosen : OpenWith::kUserProgram;
}

}  // namespace quelbrix
