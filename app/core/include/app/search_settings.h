// The options a search start reads from the settings file, fresh each time.
#pragma once

#include <cstddef>
#include <string>

#include "app/profile_file.h"
#include "common/error_policy.h"

namespace quelbrix {

struct SearchSettings {
    bool convertCodes = true;    // [whole] nKanji is not 1
    bool convertUtf8 = false;    // [whole] utf8 is 1: UTF-8 files are converted too
    bool relativePaths = false;  // [whole] relative is 1
    bool countHits = true;       // [whole] nCount is not 1
    bool showProgress = true;    // [whole] nProgress is not 1
    bool pauseAfterEntries = true;  // [whole] nPause is not 1
    ErrorPolicy errorPolicy = ErrorPolicy::kAsk;  // [whole] error as stored, also one beyond 2
    std::string extensions;      // the Extension list built from [type]
    std::string excludeFolders;  // [type] exclude, cut to kEditTextBytes; empty: none
};

// Each t1..t11 value is read up to this many bytes, so the list never exceeds
// 11 * (kExtensionGroupBytes + 1) bytes.
constexpr std::size_t kExtensionGroupBytes = 1023;
constexpr int kExtensionGroups = 11;

SearchSettings ReadSearchSettings(ProfileFile& profile);

// Empty when all_type is not 0; otherwise the value of every group whose v<i> is exactly 1,
// each followed by ",".
std::string BuildExtensionList(ProfileFile& profile);

// [whole] nProgress is exactly 1.
bool ProgressBarHidden(ProfileFile& profile);

}  // namespace quelbrix
