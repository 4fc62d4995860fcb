// The main window's two check boxes as [main] keeps them from one run to the next.
#pragma once

#include "app/profile_file.h"

namespace quelbrix {

struct MainOptions {
    bool searchSubfolders = false;  // under
    bool useRegex = false;          // formal
};

// Each box starts ticked only for a stored 1; a missing key leaves it clear, although the
// settings template holds under=1.
MainOptions LoadMainOptions(ProfileFile& profile);
// Writes under, then formal, as 1 or 0.
void SaveMainOptions(ProfileFile& profile, const MainOptions& options);

}  // namespace quelbrix
