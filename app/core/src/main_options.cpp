#include "app/main_options.h"

#include "app/settings_keys.h"

namespace quelbrix {

namespace {

bool StoredOne(ProfileFile& profile, const char* key) { return profile.GetInt(key) == 1; }

}  // namespace

MainOptions LoadMainOptions(ProfileFile& profile) {
    profile.SetSection(kMainSection);
    MainOptions options;
    options.searchSubfolders = StoredOne(profile, kSubfoldersKey);
    options.useRegex = StoredOne(profile, kRegexKey);
    options.folds.ignoreCase = StoredOne(profile, kIgnoreCaseKey);
    options.folds.ignoreWidth = StoredOne(profile, kIgnoreWidthKey);
    options.folds.ignoreKana = StoredOne(profile, kIgnoreKanaKey);
    return options;
}

void SaveMainOptions(ProfileFile& profile, const MainOptions& options) {
    profile.SetSection(kMainSection);
    profile.WriteInt(kSubfoldersKey, options.searchSubfolders ? 1 : 0);
    profile.WriteInt(kRegexKey, options.useRegex ? 1 : 0);
    profile.WriteInt(kIgnoreCaseKey, options.folds.ignoreCase ? 1 : 0);
    profile.WriteInt(kIgnoreWidthKey, options.folds.ignoreWidth ? 1 : 0);
    profile.WriteInt(kIgnoreKanaKey, options.folds.ignoreKana ? 1 : 0);
}

}  // namespace quelbrix
