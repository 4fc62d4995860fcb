#include "app/search_settings.h"

#include "app/settings_keys.h"
#include "common/text_limits.h"

namespace quelbrix {

SearchSettings ReadSearchSettings(ProfileFile& profile) {
    SearchSettings settings;
    profile.SetSection(kWholeSection);
    settings.convertCodes = profile.GetInt(kNoKanjiKey) != 1;
    settings.convertUtf8 = profile.GetInt(kUtf8FilesKey) == 1;
    settings.relativePaths = profile.GetInt(kRelativeKey) == 1;
    settings.countHits = profile.GetInt(kNoCountKey) != 1;
    settings.showProgress = profile.GetInt(kNoProgressKey) != 1;
    settings.pauseAfterEntries = profile.GetInt(kNoPauseKey) != 1;
    // Handed to the engine unchanged: a value the page does not offer gets the engine's answer.
    settings.errorPolicy =
        static_cast<ErrorPolicy>(static_cast<int>(profile.GetInt(kErrorPolicyKey)));
    settings.extensions = BuildExtensionList(profile);
    profile.SetSection(kTypeSection);
    settings.excludeFolders = profile.GetString(kExcludeFoldersKey, kEditTextBytes);
    return settings;
}

std::string BuildExtensionList(ProfileFile& profile) {
    profile.SetSection(kTypeSection);
    std::string list;
    if (profile.GetInt(kAllTypesKey) != 0) return list;
    for (int group = 1; group <= kExtensionGroups; ++group) {
        if (profile.GetInt(GroupEnabledKey(group)) != 1) continue;
        list += profile.GetString(ExtensionGroupKey(group), kExtensionGroupBytes);
        list += ',';
    }
    return list;
}

bool ProgressBarHidden(ProfileFile& profile) {
    profile.SetSection(kWholeSection);
    return profile.GetInt(kNoProgressKey) == 1;
}

}  // namespace quelbrix
