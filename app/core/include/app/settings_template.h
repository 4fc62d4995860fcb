// The text written as QuelbrixU.ini when the program starts without one.
#pragma once

#include <string>

#include "common/product.h"

namespace quelbrix {

constexpr const char kSettingsFileName[] = "QuelbrixU.ini";

// The default settings text in Shift_JIS with CR LF line ends (the last line too), with the
// [ver] keys filled in.
std::string FormatSettingsTemplate(int version, int beta);

}  // namespace quelbrix
