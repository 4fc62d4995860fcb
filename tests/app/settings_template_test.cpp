#include "app/settings_template.h"

#include <gtest/gtest.h>

#include <string>

#include "golden_settings.h"

namespace {

TEST(SettingsTemplate, MatchesTheGoldenFileByteForByte) {
    const std::string expected(reinterpret_cast<const char*>(kGoldenSettings),
                               sizeof kGoldenSettings);
    EXPECT_EQ(quelbrix::FormatSettingsTemplate(quelbrix::kProgramVersion, quelbrix::kProgramBeta),
              expected);
}

TEST(SettingsTemplate, EveryLineEndsInCrLfIncludingTheLast) {
    const std::string text = quelbrix::FormatSettingsTemplate(413, 0);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ(text[i - 1], '\r') << "at " << i;
        }
        if (text[i] == '\r') {
            EXPECT_EQ(text[i + 1], '\n') << "at " << i;
        }
    }
}

TEST(SettingsTemplate, FillsBothVersionPlaceholders) {
    const std::string text = quelbrix::FormatSettingsTemplate(999, 7);
    EXPECT_NE(text.find("[ver]\r\nmain=999\r\nbeta=7\r\n"), std::string::npos);
    EXPECT_EQ(text.find('%'), std::string::npos);
}

}  // namespace
