// The save button: the result list's rows written as a text report to a file the user names.
#pragma once

#include "result_actions.h"

namespace quelbrix {

// Handler of the save button: the rows of `rows.list` as they stand, in a file chosen in the
// save dialog owned by `rows.owner`.
void SaveResults(const ResultRows& rows);

}  // namespace quelbrix
