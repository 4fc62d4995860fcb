// The text written as QuelbrixU.ini when the program starts without one.
#pragma once

#include <string>

namespace quelbrix {

constexpr int kProgramVersion = 413;  // 4.13, in hundredths
constexpr int kProgramBeta = 0;
constexpr const char kSettingsFileName[] = "QuelbrixU.ini";

// The default settings text in Shift_JIS with CR LF line ends (the last line too), with the
// [ver] keys filled in.
std::string FormatSettingsTemplate(int version, int beta);

}  // namespace quelbrix
