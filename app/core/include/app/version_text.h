// The version page's text and the project's two addresses.
#pragma once

#include <string>

namespace quelbrix {

// The project's addresses, shown on the version page's two buttons and opened by them.
constexpr char kProjectWebAddress[] = "https://quelbrix.example.jp/";
constexpr char kProjectMailAddress[] = "quelbrix@example.jp";

// "mailto:" followed by the mail address.
std::string ProjectMailLink();

// The engine's line: its version (given in hundredths) with two decimals and, when `beta` is
// not 0, " β" and the beta number; then a line break, a tab and the engine's rights notice.
std::string FormatEngineLine(int engineVersion, int beta);

// The whole text of the version page: the program, the engine and the regular-expression
// library, each with its rights notice; lines end with a single LF.
std::string FormatVersionText(int engineVersion, int beta);

}  // namespace quelbrix
