#include "app/version_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/product.h"

using quelbrix::FormatEngineLine;
using quelbrix::FormatVersionText;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(VersionText, EngineLineInBothForms) {
    struct Case {
        int version;
        int beta;
        const char* afterName;  // what follows the engine's name on the first line
    };
    const Case cases[] = {
        {111, 0, " Ver1.11"},    {111, 2, " Ver1.11 β2"}, {100, 0, " Ver1.00"},
        {5, 12, " Ver0.05 β12"}, {1234, 0, " Ver12.34"}, {-105, 0, " Ver-1.05"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = Lines(FormatEngineLine(c.version, c.beta));
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], quelbrix::kEngineCaption + std::string(c.afterName));
        EXPECT_EQ(lines[1].substr(0, 1), "\t");  // the rights notice, indented
        EXPECT_GT(lines[1].size(), 1u);
    }
}

TEST(VersionText, PageTextNamesTheProgramEngineAndLibrary) {
    const std::string text = FormatVersionText(111, 2);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], quelbrix::kProgramName + std::string(" Ver4.13"));
    EXPECT_EQ(lines[2], quelbrix::kEngineCaption + std::string(" Ver1.11 β2"));
    EXPECT_EQ(lines[4], "Grexmo.DLL Version 1.1.4.2");
    for (int notice : {1, 3, 5}) EXPECT_EQ(lines[notice][0], '\t');
}

TEST(VersionText, MailLinkOpensTheMailAddress) {
    EXPECT_EQ(quelbrix::ProjectMailLink(), std::string("mailto:") + quelbrix::kProjectMailAddress);
    EXPECT_NE(std::string(quelbrix::kProjectMailAddress).find('@'), std::string::npos);
}

}  // namespace
