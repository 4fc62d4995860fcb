// What the General, Extensions and Other pages of the settings dialog show, and how they store it.
// The page windows only move these records to and from their controls; the rules about their
// keys, values and write order live here (the keys themselves in settings_keys.h).
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "app/profile_file.h"
#include "app/search_settings.h"
#include "common/error_policy.h"

namespace quelbrix {

// The program path and each extension list are kept to kEditTextBytes (common/text_limits.h).

// [whole]
struct GeneralPage {
    bool hideProgress = false;      // nProgress
    bool hideCount = false;         // nCount
    bool relativePaths = false;     // relative
    bool noCodeConversion = false;  // nKanji
    bool noPause = false;           // nPause; missing reads as 0
    bool userProgram = false;       // appli: false for the associated application
    std::string programPath;        // path, kept also while the associated one is chosen
    ErrorPolicy error = ErrorPolicy::kAsk;  // always one of the three choices
};

// Flags show ticked only for a stored 1, as the search reads them; appli shows the chosen
// program for any value but 0 (file_opener.h); an error value other than 0 or 1 shows the
// third choice.
GeneralPage LoadGeneralPage(ProfileFile& profile);
// Writes nProgress, nCount, relative, nKanji, path, appli, error and nPause, in that order.
void SaveGeneralPage(ProfileFile& profile, const GeneralPage& page);

struct ExtensionGroupRow {
    bool enabled = false;    // v<i>
    std::string extensions;  // t<i>, as typed
};

// [type]
struct ExtensionsPage {
    bool allFiles = false;  // all_type
    std::array<ExtensionGroupRow, kExtensionGroups> rows;
    std::string excludeFolders;  // exclude, as typed; usable whichever choice is made
};

ExtensionsPage LoadExtensionsPage(ProfileFile& profile);
// Writes all_type, then v<i> and t<i> for every row, disabled rows included, then exclude; the
// texts unchanged apart from the length bound.
void SaveExtensionsPage(ProfileFile& profile, const ExtensionsPage& page);

// [whole], the Other page's one setting; its buttons act at once and store nothing.
struct OtherPage {
    bool convertUtf8 = false;  // utf8; missing reads as 0
};

OtherPage LoadOtherPage(ProfileFile& profile);
void SaveOtherPage(ProfileFile& profile, const OtherPage& page);

}  // namespace quelbrix
