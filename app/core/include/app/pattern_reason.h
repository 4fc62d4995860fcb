// Why a regular expression was refused, told in Japanese for the program's message box.
#pragma once

#include <string>

namespace quelbrix {

// Grexmo's reason (English, ASCII: "missing ) to close the group at offset 3") in Japanese.
// A reason this table does not know is given as it is.
std::string PatternReasonInJapanese(const std::string& reason);

}  // namespace quelbrix
