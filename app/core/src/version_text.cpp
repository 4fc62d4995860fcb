#include "app/version_text.h"

#include <cstdio>

#include "app/settings_template.h"

namespace quelbrix {

namespace {

constexpr char kEngineName[] = "QuelbrixD.DLL - QuelbrixU SupportSystem";
constexpr char kGrexmoLine[] = "Grexmo.DLL Version 1.1.4.2";
// Short enough for one line each beside the tab the page indents them by.
constexpr char kProgramRights[] = "Copyright (C) 2026 Quelbrix プロジェクト";
constexpr char kEngineRights[] = "Copyright (C) 2026 Quelbrix プロジェクト";
constexpr char kGrexmoRights[] = "Copyright (C) 2026 Quelbrix プロジェクト";

// A version in hundredths as the number printed with two decimals (111 gives "1.11").
std::string Hundredths(int version) {
    char text[32];
    const float number = static_cast<float>(version) / 100.0f;  // single precision, as ever
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(number));
    return text;
}

}  // namespace

std::string ProjectMailLink() { return std::string("mailto:") + kProjectMailAddress; }

std::string FormatEngineLine(int engineVersion, int beta) {
    std::string line = std::string(kEngineName) + " Ver" + Hundredths(engineVersion);
    if (beta != 0) line += " β" + std::to_string(beta);
    return line + "\n\t" + kEngineRights;
}

std::string FormatVersionText(int engineVersion, int beta) {
    return "QuelbrixU Ver" + Hundredths(kProgramVersion) + "\n\t" + kProgramRights + "\n" +
           FormatEngineLine(engineVersion, beta) + "\n" + kGrexmoLine + "\n\t" + kGrexmoRights;
}

}  // namespace quelbrix
