#include "app/settings_pages.h"

#include "app/file_opener.h"
#include "app/settings_keys.h"
#include "app/sjis.h"
#include "common/text_limits.h"

namespace quelbrix {

namespace {

bool IsOne(ProfileFile& profile, const char* key) { return profile.GetInt(key) == 1; }

int Flag(bool on) { return on ? 1 : 0; }

// Rows count from 0, the groups' keys from 1.
int GroupOf(std::size_t row) { return static_cast<int>(row) + 1; }

// The choice shown for a stored error policy: a value the page does not offer is the third.
ErrorPolicy ShownErrorPolicy(unsigned stored) {
    switch (stored) {
    case 0:
        return ErrorPolicy::kAsk;
    case 1:
        return ErrorPolicy::kSkip;
    default:
        return ErrorPolicy::kStop;
    }
}

}  // namespace

GeneralPage LoadGeneralPage(ProfileFile& profile) {
    profile.SetSection(kWholeSection);
    GeneralPage page;
    page.hideProgress = IsOne(profile, kNoProgressKey);
    page.hideCount = IsOne(profile, kNoCountKey);
    page.relativePaths = IsOne(profile, kRelativeKey);
    page.noCodeConversion = IsOne(profile, kNoKanjiKey);
    page.noPause = IsOne(profile, kNoPauseKey);
    page.error = ShownErrorPolicy(profile.GetInt(kErrorPolicyKey));
    const FileOpener opener = ReadFileOpener(profile);
    page.userProgram = opener.userProgram;
    page.programPath = opener.programPath;
    return page;
}

void SaveGeneralPage(ProfileFile& profile, const GeneralPage& page) {
    profile.SetSection(kWholeSection);
    profile.WriteInt(kNoProgressKey, Flag(page.hideProgress));
    profile.WriteInt(kNoCountKey, Flag(page.hideCount));
    profile.WriteInt(kRelativeKey, Flag(page.relativePaths));
    profile.WriteInt(kNoKanjiKey, Flag(page.noCodeConversion));
    profile.WriteString(kProgramPathKey, CutAtCharBoundary(page.programPath, kEditTextBytes));
    profile.WriteInt(kUserProgramKey, Flag(page.userProgram));
    profile.WriteInt(kErrorPolicyKey, static_cast<int>(page.error));
    profile.WriteInt(kNoPauseKey, Flag(page.noPause));
}

ExtensionsPage LoadExtensionsPage(ProfileFile& profile) {
    profile.SetSection(kTypeSection);
    ExtensionsPage page;
    for (std::size_t i = 0; i < page.rows.size(); ++i) {
        page.rows[i].extensions = profile.GetString(ExtensionGroupKey(GroupOf(i)), kEditTextBytes);
        page.rows[i].enabled = profile.GetInt(GroupEnabledKey(GroupOf(i))) == 1;
    }
    page.allFiles = IsOne(profile, kAllTypesKey);
    page.excludeFolders = profile.GetString(kExcludeFoldersKey, kEditTextBytes);
    return page;
}

void SaveExtensionsPage(ProfileFile& profile, const ExtensionsPage& page) {
    profile.SetSection(kTypeSection);
    profile.WriteInt(kAllTypesKey, Flag(page.allFiles));
    for (std::size_t i = 0; i < page.rows.size(); ++i) {
        profile.WriteInt(GroupEnabledKey(GroupOf(i)), Flag(page.rows[i].enabled));
        profile.WriteString(ExtensionGroupKey(GroupOf(i)),
                            CutAtCharBoundary(page.rows[i].extensions, kEditTextBytes));
    }
    profile.WriteString(kExcludeFoldersKey, CutAtCharBoundary(page.excludeFolders, kEditTextBytes));
}

OtherPage LoadOtherPage(ProfileFile& profile) {
    profile.SetSection(kWholeSection);
    OtherPage page;
    page.convertUtf8 = IsOne(profile, kUtf8FilesKey);
    return page;
}

void SaveOtherPage(ProfileFile& profile, const OtherPage& page) {
    profile.SetSection(kWholeSection);
    profile.WriteInt(kUtf8FilesKey, Flag(page.convertUtf8));
}

}  // namespace quelbrix
