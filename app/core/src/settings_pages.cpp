#include "app/settings_pages.h"

#include "app/sjis.h"

namespace quelbrix {

namespace {

constexpr char kWholeSection[] = "whole";
constexpr char kTypeSection[] = "type";

bool IsOne(ProfileFile& profile, const char* key) { return profile.GetInt(key) == 1; }

int Flag(bool on) { return on ? 1 : 0; }

std::string RowKey(char prefix, std::size_t row) { return prefix + std::to_string(row + 1); }

}  // namespace

GeneralPage LoadGeneralPage(ProfileFile& profile) {
    profile.SetSection(kWholeSection);
    GeneralPage page;
    page.hideProgress = IsOne(profile, "nProgress");
    page.hideCount = IsOne(profile, "nCount");
    page.relativePaths = IsOne(profile, "relative");
    page.noCodeConversion = IsOne(profile, "nKanji");
    page.userProgram = profile.GetInt("appli") != 0;
    page.programPath = profile.GetString("path", kPageTextBytes);
    switch (profile.GetInt("error")) {
    case 0:
        page.error = ErrorChoice::kAsk;
        break;
    case 1:
        page.error = ErrorChoice::kSkip;
        break;
    default:
        page.error = ErrorChoice::kStop;
        break;
    }
    return page;
}

void SaveGeneralPage(ProfileFile& profile, const GeneralPage& page) {
    profile.SetSection(kWholeSection);
    profile.WriteInt("nProgress", Flag(page.hideProgress));
    profile.WriteInt("nCount", Flag(page.hideCount));
    profile.WriteInt("relative", Flag(page.relativePaths));
    profile.WriteInt("nKanji", Flag(page.noCodeConversion));
    profile.WriteString("path", CutAtCharBoundary(page.programPath, kPageTextBytes));
    profile.WriteInt("appli", Flag(page.userProgram));
    profile.WriteInt("error", static_cast<int>(page.error));
}

ExtensionsPage LoadExtensionsPage(ProfileFile& profile) {
    profile.SetSection(kTypeSection);
    ExtensionsPage page;
    for (std::size_t i = 0; i < page.rows.size(); ++i) {
        page.rows[i].extensions = profile.GetString(RowKey('t', i), kPageTextBytes);
        page.rows[i].enabled = profile.GetInt(RowKey('v', i)) == 1;
    }
    page.allFiles = IsOne(profile, "all_type");
    return page;
}

void SaveExtensionsPage(ProfileFile& profile, const ExtensionsPage& page) {
    profile.SetSection(kTypeSection);
    profile.WriteInt("all_type", Flag(page.allFiles));
    for (std::size_t i = 0; i < page.rows.size(); ++i) {
        profile.WriteInt(RowKey('v', i), Flag(page.rows[i].enabled));
        profile.WriteString(RowKey('t', i),
                            CutAtCharBoundary(page.rows[i].extensions, kPageTextBytes));
    }
}

OtherPage LoadOtherPage(ProfileFile& profile) {
    profile.SetSection(kWholeSection);
    OtherPage page;
    page.convertUtf8 = IsOne(profile, "utf8");
    return page;
}

void SaveOtherPage(ProfileFile& profile, const OtherPage& page) {
    profile.SetSection(kWholeSection);
    profile.WriteInt("utf8", Flag(page.convertUtf8));
}

}  // namespace quelbrix
