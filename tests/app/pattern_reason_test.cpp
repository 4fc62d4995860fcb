#include "app/pattern_reason.h"

#include <gtest/gtest.h>

#include <string>

#include "grexmo/grexmo.h"

using quelbrix::PatternReasonInJapanese;

namespace {

std::string ReasonFor(const std::string& pattern) {
    CGrexmo grexmo;
    grexmo.Read(pattern.c_str(), true);
    return grexmo.IsValid() ? "<valid>" : grexmo.GetErrorText();
}

// Every way Grexmo refuses a pattern reads in Japanese, so a reason reworded in the library
// shows up here rather than as English in the message box.
TEST(PatternReason, EveryRefusalOfGrexmoIsTranslated) {
    const std::string patterns[] = {
        "a\\",
        "[\\b]",
        "\\xZ",
        "\\x00",
        "(a)\\1",
        "\\e",
        "[ab",
        "[\\d-z]",
        "[a-\\d]",
        "[z-a]",
        "a{1001}",
        "a{3,2}",
        "*a",
        "a**",
        "(?=a)",
        "(?m)a",
        "a(?i)b",
        "a)",
        "(a",
        std::string(300, '('),
        std::string(9000, 'a'),
        "(((a{1000}){1000}))",
    };
    for (const std::string& pattern : patterns) {
        const std::string reason = ReasonFor(pattern);
        ASSERT_NE(reason, "<valid>") << pattern.substr(0, 20);
        EXPECT_NE(PatternReasonInJapanese(reason), reason) << reason;
    }
}

TEST(PatternReason, CarriesTheDetailAndCountsBytesFromOne) {
    EXPECT_EQ(PatternReasonInJapanese(ReasonFor("needle(")),
              "( に対応する ) がありません（7 バイト目）");
    EXPECT_EQ(PatternReasonInJapanese(ReasonFor("ab\\q")),
              "\\q という書き方には対応していません（3 バイト目）");
    EXPECT_EQ(PatternReasonInJapanese("something new at offset 2"), "something new at offset 2");
}

}  // namespace
