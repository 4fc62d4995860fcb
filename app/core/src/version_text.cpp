#include "app/version_text.h"

#include "common/product.h"

namespace quelbrix {

namespace {

constexpr char kGrexmoLine[] = "Grexmo.DLL Version 1.1.4.2";
// Short enough for one line each beside the tab the page indents them by.
constexpr char kProgramRights[] = "Copyright (C) 2026 Quelbrix プロジェクト";
constexpr char kEngineRights[] = "Copyright (C) 2026 Quelbrix プロジェクト";
constexpr char kGrexmoRights[] = "Copyright (C) 2026 Quelbrix プロジェクト";

}  // namespace

std::string ProjectMailLink() { return std::string("mailto:") + kProjectMailAddress; }

std::string FormatEngineLine(int engineVersion, int beta) {
    std::string line = std::string(kEngineCaption) + " Ver" + VersionNumberText(engineVersion);
    if (beta != 0) line += " β" + std::to_string(beta);
    return line + "\n\t" + kEngineRights;
}

std::string FormatVersionText(int engineVersion, int beta) {
    return ProgramNameAndVersion() + "\n\t" + kProgramRights + "\n" +
           FormatEngineLine(engineVersion, beta) + "\n" + kGrexmoLine + "\n\t" + kGrexmoRights;
}

}  // namespace quelbrix
