#include "app/main_options.h"

#include "app/settings_keys.h"

namespace quelbrix {

MainOptions LoadMainOptions(ProfileFile& profile) {
    profile.SetSection(kMainSection);
    MainOptions options;
    options.searchSubfolders = profile.GetInt(kSubfoldersKey) == 1;
    options.useRegex = profile.GetInt(kRegexKey) == 1;
    return options;
}

void SaveMainOptions(ProfileFile& profile, const MainOptions& options) {
    profile.SetSection(kMainSection);
    profile.WriteInt(kSubfoldersKey, options.searchSubfolders ? 1 : 0);
    profile.WriteInt(kRegexKey, options.useRegex ? 1 : 0);
}

}  // namespace quelbrix
