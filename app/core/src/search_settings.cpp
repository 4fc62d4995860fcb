#include "app/search_settings.h"

namespace quelbrix {

SearchSettings ReadSearchSettings(ProfileFile& profile) {
    SearchSettings settings;
    profile.SetSection("whole");
    settings.convertCodes = profile.GetInt("nKanji") != 1;
    settings.convertUtf8 = profile.GetInt("utf8") == 1;
    settings.relativePaths = profile.GetInt("relative") == 1;
    settings.countHits = profile.GetInt("nCount") != 1;
    settings.showProgress = profile.GetInt("nProgress") != 1;
    settings.errorPolicy = static_cast<int>(profile.GetInt("error"));
    settings.extensions = BuildExtensionList(profile);
    return settings;
}

std::string BuildExtensionList(ProfileFile& profile) {
    profile.SetSection("type");
    std::string list;
    if (profile.GetInt("all_type") != 0) return list;
    for (int group = 1; group <= kExtensionGroups; ++group) {
        const std::string number = std::to_string(group);
        if (profile.GetInt("v" + number) != 1) continue;
        list += profile.GetString("t" + number, kExtensionGroupBytes);
        list += ',';
    }
    return list;
}

bool ProgressBarHidden(ProfileFile& profile) {
    profile.SetSection("whole");
    return profile.GetInt("nProgress") == 1;
}

}  // namespace quelbrix
