// The program's and the engine's names and the program's version, as its title, its version
// page, the settings file it writes, the result report and the engine's message boxes show
// them.
#ifndef QUELBRIX_COMMON_PRODUCT_H
#define QUELBRIX_COMMON_PRODUCT_H

#include <string>

namespace quelbrix {

// The program: the caption of its message boxes and the first word of its title.
constexpr char kProgramName[] = "QuelbrixU";
constexpr int kProgramVersion = 413;  // 4.13, in hundredths
constexpr int kProgramBeta = 0;

// The engine's name: the caption of its message boxes and its line on the version page.
constexpr char kEngineCaption[] = "QuelbrixD.DLL - QuelbrixU SupportSystem";

// A version in hundredths with two decimals: 413 gives "4.13", 5 gives "0.05", -105 (which
// only a foreign engine could report) "-1.05".
inline std::string VersionNumberText(int hundredths) {
    const long long value = hundredths;
    const long long magnitude = value < 0 ? -value : value;
    const long long cents = magnitude % 100;
    return (value < 0 ? "-" : "") + std::to_string(magnitude / 100) + (cents < 10 ? ".0" : ".") +
           std::to_string(cents);
}

// "QuelbrixU Ver4.13": how the title, the version page and the report name the program.
inline std::string ProgramNameAndVersion() {
    return std::string(kProgramName) + " Ver" + VersionNumberText(kProgramVersion);
}

}  // namespace quelbrix

#endif
