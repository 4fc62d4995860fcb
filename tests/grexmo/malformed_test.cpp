// Malformed patterns are refused with a reason; the object then finds nothing and stays usable.
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MalformedCase {
    const char* pattern;
    const char* reason;  // a part of the error text
};

const MalformedCase kMalformed[] = {
    {"(", "missing )"},
    {"(a", "missing ) to close the group at offset 0"},
    {"a(b(c)", "at offset 1"},
    {"a)", "unmatched ) at offset 1"},
    {")", "unmatched )"},
    {"[a", "missing ]"},
    {"[]", "missing ]"},
    {"[^]", "missing ]"},
    {"[z-a]", "bad range"},
    {"[\\d-z]", "cannot start a range"},
    {"[a-\\d]", "cannot end a range"},
    {"a{2,1}", "bad repeat range"},
    {"a{1001}", "repeat count above 1000"},
    {"a{1,1001}", "repeat count above 1000"},
    {"\\", "trailing backslash at offset 0"},
    {"ab\\", "trailing backslash at offset 2"},
    {"\x95\x5C\\", "trailing backslash at offset 2"},
    {"*a", "nothing to repeat"},
    {"+", "nothing to repeat"},
    {"?", "nothing to repeat"},
    {"a|*", "nothing to repeat"},
    {"(*)", "nothing to repeat"},
    {"{2}", "nothing to repeat"},
    {"a**", "nested quantifier"},
    {"a*+", "nested quantifier"},
    {"a{2}{3}", "nested quantifier"},
    {"a*??", "nested quantifier"},
    {"(?=a)", "unsupported group"},
    {"a(?i)b", "(?i) only at the start of the expression"},
    {"a(?i)b", "(?i:...)) at offset 1"},
    {"(?:(?i)a)", "(?i) only at the start"},
    {"(?i", "malformed flag group"},
    {"(?i", "are known) at offset 0"},
    {"(?ii)a", "malformed flag group"},
    {"(?im)a", "malformed flag group"},
    {"(?m)a", "malformed flag group"},
    {"(?-i:a)", "malformed flag group"},
    {"(?i:a", "missing ) to close the group at offset 0"},
    {"(?", "unsupported group"},
    {"\\1", "backreferences"},
    {"\\q", "unknown escape \\q"},
    {"\\x4", "two hexadecimal digits"},
    {"\\xZZ", "two hexadecimal digits"},
    {"\\x00", "cannot occur"},
    {"[\\b]", "not allowed in a class"},
};

TEST(GrexmoMalformed, IsRefusedWithAReason) {
    for (const MalformedCase& c : kMalformed) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, true);
        EXPECT_FALSE(g.IsValid());
        EXPECT_NE(std::string(g.GetErrorText()).find(c.reason), std::string::npos)
            << g.GetErrorText();
        EXPECT_EQ(g.Find("a(b)[]{}\\ aaa", 0, false), -1);
        EXPECT_STREQ(g.GetHitText(), "");
    }
}

TEST(GrexmoMalformed, TheSameTextIsFineAsPlainText) {
    for (const MalformedCase& c : kMalformed) {
        SCOPED_TRACE(c.pattern);
        CGrexmo g;
        g.Read(c.pattern, false);
        EXPECT_TRUE(g.IsValid());
        EXPECT_STREQ(g.GetErrorText(), "");
        std::string text = std::string("xx") + c.pattern;
        EXPECT_EQ(g.Find(text.c_str(), 0, false), 2);
    }
}

TEST(GrexmoMalformed, AGoodReadAfterABadOneWorks) {
    CGrexmo g;
    g.Read("(", true);
    ASSERT_FALSE(g.IsValid());
    g.Read("b+", true);
    EXPECT_TRUE(g.IsValid());
    EXPECT_STREQ(g.GetErrorText(), "");
    EXPECT_EQ(g.Find("abb", 0, false), 1);
    EXPECT_STREQ(g.GetHitText(), "bb");
}

TEST(GrexmoMalformed, NullsAreSafe) {
    CGrexmo fresh;
    EXPECT_FALSE(fresh.IsValid());
    EXPECT_EQ(fresh.Find("abc", 0, false), -1);
    EXPECT_STREQ(fresh.GetHitText(), "");

    CGrexmo g;
    g.Read(nullptr, true);
    EXPECT_FALSE(g.IsValid());
    EXPECT_STRNE(g.GetErrorText(), "");
    EXPECT_EQ(g.Find("abc", 0, false), -1);

    g.Read("a", false);
    EXPECT_EQ(g.Find(nullptr, 0, false), -1);
    EXPECT_STREQ(g.GetHitText(), "");
}

}  // namespace
