// The save button: the result list's rows written as a text report to a file the user names.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quelbrix {

// Handler of the save button.
void SaveResults();

}  // namespace quelbrix
