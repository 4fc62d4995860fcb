// Patterns that would make a backtracking matcher explode, and patterns past the size
// limits: all must come back, the first with the right answer, the others refused.
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GrexmoLimits, PathologicalPatternsFinish) {
    const std::string as(100000, 'a');
    struct Case {
        const char* pattern;
        int offset;
        std::size_t length;
    } cases[] = {
        {"(a*)*b", -1, 0},
        {"(a|aa)+$", 0, 100000},
        {"(a|aa)+b", -1, 0},
        {"(x+x+)+y", -1, 0},
        {"(a+)+b", -1, 0},
        {"(.*)*c", -1, 0},
        {"a*a*a*a*a*a*a*a*a*b", -1, 0},
        {"(a?){30}a{30}", 0, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, true);
        ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
        EXPECT_EQ(g.Find(as.c_str(), 0, false), c.offset);
        EXPECT_EQ(std::string(g.GetHitText()).size(), c.length);
    }
}

TEST(GrexmoLimits, DeepNestingIsRefusedNotOverflowed) {
    CGrexmo g;
    const int deep = 100000;
    g.Read((std::string(deep, '(') + "a" + std::string(deep, ')')).c_str(), true);
    EXPECT_FALSE(g.IsValid());
    EXPECT_EQ(g.Find("a", 0, false), -1);

    const int allowed = 200;
    g.Read((std::string(allowed, '(') + "a" + std::string(allowed, ')') + "+").c_str(), true);
    ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
    EXPECT_EQ(g.Find("baa", 0, false), 1);
    EXPECT_STREQ(g.GetHitText(), "aa");

    std::string nested;
    for (int i = 0; i < 200; ++i) nested += "(?:a|";
    nested += "b";
    nested += std::string(200, ')');
    g.Read(nested.c_str(), true);
    ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
    EXPECT_EQ(g.Find("xb", 0, false), 1);
}

TEST(GrexmoLimits, OversizedPatternsAreRefused) {
    const char* tooLarge[] = {"(a{1000}){1000}", "((a{100}){100}){100}",
                              "[ab]{1000}[cd]{1000}(e{1000}){20}"};
    for (const char* p : tooLarge) {
        SCOPED_TRACE(p);
        CGrexmo g;
        g.Read(p, true);
        EXPECT_FALSE(g.IsValid());
        EXPECT_NE(std::string(g.GetErrorText()).find("too large"), std::string::npos);
    }
    CGrexmo g;
    g.Read(std::string(9000, 'a').c_str(), false);
    EXPECT_FALSE(g.IsValid());
    g.Read("a{1000}", true);
    EXPECT_TRUE(g.IsValid());
    std::string text(1500, 'a');
    EXPECT_EQ(g.Find(text.c_str(), 0, false), 0);
    EXPECT_EQ(std::string(g.GetHitText()).size(), 1000u);
}

TEST(GrexmoLimits, ALongMalformedAlternationIsRefusedQuickly) {
    std::string p;
    for (int i = 0; i < 2000; ++i) p += "a|";
    p += ")";
    CGrexmo g;
    g.Read(p.c_str(), true);
    EXPECT_FALSE(g.IsValid());
}

}  // namespace

namespace {

TEST(GrexmoLimits, ManyLargeBranchesAreRefusedWhileCompiling) {
    std::string p = "x{1000}";
    for (int i = 0; i < 800; ++i) p += "|x{1000}";
    CGrexmo g;
    g.Read(p.c_str(), true);
    EXPECT_FALSE(g.IsValid());
    EXPECT_NE(std::string(g.GetErrorText()).find("too large"), std::string::npos);
}

}  // namespace
