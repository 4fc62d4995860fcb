// (?i) and (?i:...): ASCII and full-width Latin letters match either case; \s takes the
// full-width space. Texts are Shift_JIS (full-width characters are two bytes each).
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FoldCase {
    const char* pattern;
    const char* text;
    int offset;       // -1: no hit
    const char* hit;  // text of the hit when there is one
};

const FoldCase kFoldCases[] = {
    // the whole expression
    {"(?i)abc", "xxABCxx", 2, "ABC"},
    {"(?i)ABC", "aBc", 0, "aBc"},
    {"(?i)a|b", "xB", 1, "B"},
    {"(?i)", "x", 0, ""},
    {"(?i)\\x41", "xa", 1, "a"},
    {"(?i)a{2}", "aA", 0, "aA"},
    {"(?i)^ab$", "x\nAb", 2, "Ab"},
    {"(?i)12-", "x12-", 1, "12-"},
    // groups, nested and not
    {"(?i:a)b", "AB Ab", 3, "Ab"},
    {"a(?i:b)c", "ABc aBc", 4, "aBc"},
    {"(?i:a(?:b))c", "ABC ABc", 4, "ABc"},
    {"(?i:a)+", "xaAaA", 1, "aAaA"},
    // classes are folded before they are negated
    {"(?i)[a-c]+", "xBcAd", 1, "BcA"},
    {"(?i)[^a]", "aAb", 2, "b"},
    {"(?i)[^\\W]+", " Ab_ ", 1, "Ab_"},
    {"(?i)[x-z\\d]+", "aX9z", 1, "X9z"},
    // full-width letters fold within their own width only
    {"(?i)ｂ", "ａＢ", 2, "Ｂ"},
    {"(?i)Ｚ", "zｚ", 1, "ｚ"},
    {"(?i)[Ａ-Ｃ]+", "ｄｃａＢ", 2, "ｃａＢ"},
    {"(?i)a", "Ａａ", -1, ""},
    {"(?i)ａ", "aA", -1, ""},
    // characters without case stay literal; trail bytes are never hits
    {"(?i)ア", "xア", 1, "ア"},
    {"(?i)a", "ャ", -1, ""},
    {"(?i)a", "ャA", 2, "A"},
    {"(?i)\\\\", "ソ\\", 2, "\\"},
    // \s takes the full-width space, with and without (?i)
    {"\\s", "ab　", 2, "　"},
    {"a\\sb", "a　b", 0, "a　b"},
    {"\\S+", "　ab　", 2, "ab"},
    {"[\\s]+", "x 　\t", 1, " 　\t"},
    {"[^\\s]", "　 a", 3, "a"},
};

TEST(GrexmoCaseFold, FindsEitherCase) {
    for (const FoldCase& c : kFoldCases) {
        SCOPED_TRACE(testing::Message() << "pattern '" << grexmo_test::Shown(c.pattern)
                                        << "' text '" << grexmo_test::Shown(c.text) << "'");
        CGrexmo g;
        g.Read(c.pattern, true);
        ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
        EXPECT_EQ(g.Find(c.text, 0, false), c.offset);
        EXPECT_STREQ(g.GetHitText(), c.offset >= 0 ? c.hit : "");
    }
}

TEST(GrexmoCaseFold, WithoutTheFlagCaseMatters) {
    for (const char* pattern : {"abc", "(?:abc)", "[a-c]{3}", "ａｂｃ"}) {
        CGrexmo g;
        g.Read(pattern, true);
        EXPECT_EQ(g.Find("ABC ＡＢＣ", 0, false), -1) << pattern;
    }
}

// Every hit is counted, also where the literal fast path would have looked for one spelling.
TEST(GrexmoCaseFold, CountsEveryHit) {
    const std::string text = std::string(5000, '.') + "ab AB aB Ab ａｂ ＡＢ ab";
    struct {
        const char* pattern;
        int hits;
    } cases[] = {{"(?i)ab", 5}, {"(?i)ａｂ", 2}, {"(?i:a)b", 3}, {"ab", 2}, {"(?i)b\\s", 4}};
    for (const auto& c : cases) {
        CGrexmo g;
        g.Read(c.pattern, true);
        ASSERT_TRUE(g.IsValid()) << c.pattern;
        EXPECT_EQ(grexmo_test::CountHits(g, text.c_str()), c.hits) << c.pattern;
    }
}

TEST(GrexmoCaseFold, PlainTextTakesTheFlagAsText) {
    CGrexmo g;
    g.Read("(?i)a", false);
    ASSERT_TRUE(g.IsValid());
    EXPECT_EQ(g.Find("A a (?i)a", 0, false), 4);
}

}  // namespace
