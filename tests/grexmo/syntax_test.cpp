// Regular-expression syntax and leftmost-first results on ASCII texts.
#include "grexmo_test_util.h"

#include <gtest/gtest.h>

namespace {

struct FindCase {
    const char* pattern;
    const char* text;
    int start;
    int offset;       // -1: no hit
    const char* hit;  // text of the hit when there is one
};

void ExpectFind(const FindCase& c, bool isRegex) {
    SCOPED_TRACE(testing::Message()
                 << "pattern '" << c.pattern << "' text '" << c.text << "' start " << c.start);
    CGrexmo g;
    g.Read(c.pattern, isRegex);
    ASSERT_TRUE(g.IsValid()) << g.GetErrorText();
    EXPECT_EQ(g.Find(c.text, c.start, false), c.offset);
    EXPECT_STREQ(g.GetHitText(), c.offset >= 0 ? c.hit : "");
}

const FindCase kSyntaxCases[] = {
    // literals and the dot
    {"abc", "xxabcxx", 0, 2, "abc"},
    {"abc", "xxabcxx", 3, -1, ""},
    {"a.c", "xabc", 0, 1, "abc"},
    {"a.c", "a\nc", 0, -1, ""},
    {"a.c", "a\rc", 0, -1, ""},
    {".", "\tb", 0, 0, "\t"},
    // classes
    {"[abc]+", "xxcabz", 0, 2, "cab"},
    {"[^abc]+", "abxyzc", 0, 2, "xyz"},
    {"[a-c]+", "zzabcd", 0, 2, "abc"},
    {"[]a]+", "x]a]", 0, 1, "]a]"},
    {"[a-]+", "x-a-", 0, 1, "-a-"},
    {"[-a]+", "x-a-", 0, 1, "-a-"},
    {"[^a]", "a\n", 0, 1, "\n"},
    {"[\\]\\\\]+", "x]\\", 0, 1, "]\\"},
    {"[\\d_]+", "ab1_2", 0, 2, "1_2"},
    {"[\\x41-\\x43]+", "zABCD", 0, 1, "ABC"},
    {"[.*+]+", "a.*+b", 0, 1, ".*+"},
    // escapes
    {"\\d+", "ab123c", 0, 2, "123"},
    {"\\D+", "12ab3", 0, 2, "ab"},
    {"\\w+", "  foo_1 ", 0, 2, "foo_1"},
    {"\\W+", "ab, cd", 0, 2, ", "},
    {"\\s+", "ab \t\ncd", 0, 2, " \t\n"},
    {"\\S+", "  ab ", 0, 2, "ab"},
    {"\\t\\n\\r", "a\t\n\r", 0, 1, "\t\n\r"},
    {"\\x41\\x42", "zAB", 0, 1, "AB"},
    {"a\\.b", "axb a.b", 0, 4, "a.b"},
    {"\\*\\+\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$\\\\\\/", "x*+?()[]{}|^$\\/", 0, 1, "*+?()[]{}|^$\\/"},
    // quantifiers, greedy and lazy
    {"a*", "bbb", 0, 0, ""},
    {"a+", "bbaaab", 0, 2, "aaa"},
    {"a+?", "aaa", 0, 0, "a"},
    {"a*?b", "aaab", 0, 0, "aaab"},
    {"a??b", "ab", 0, 0, "ab"},
    {"a?", "b", 0, 0, ""},
    {"a{2}", "aaaa", 0, 0, "aa"},
    {"a{2,}", "aaaaa", 0, 0, "aaaaa"},
    {"a{2,}?", "aaaaa", 0, 0, "aa"},
    {"a{2,3}", "aaaaa", 0, 0, "aaa"},
    {"a{2,3}?", "aaaaa", 0, 0, "aa"},
    {"a{0}b", "ab", 0, 1, "b"},
    {"a{0,1}b", "aab", 0, 1, "ab"},
    {"(?:ab){2}", "abababab", 1, 2, "abab"},
    {"x{,2}", "x{,2}", 0, 0, "x{,2}"},
    {"a{", "a{", 0, 0, "a{"},
    {"a}", "a}", 0, 0, "a}"},
    {"a{x}", "a{x}", 0, 0, "a{x}"},
    // alternation and groups: leftmost first, then the preferred alternative
    {"cat|dog", "hotdog cat", 0, 3, "dog"},
    {"a|ab", "ab", 0, 0, "a"},
    {"ab|a", "ab", 0, 0, "ab"},
    {"(a|ab)(c|bcd)", "abcd", 0, 0, "abcd"},
    {"a+b|a", "aac", 0, 0, "a"},
    {"(?:ab)+", "xababab", 0, 1, "ababab"},
    {"(ab)*c", "ababc", 0, 0, "ababc"},
    {"(a|b)*?c", "abac", 0, 0, "abac"},
    {"x(|y)z", "xz", 0, 0, "xz"},
    {"()", "ab", 1, 1, ""},
    {"(a*)*b", "aaab", 0, 0, "aaab"},
    {"(a*)+$", "aab", 0, 3, ""},
    // anchors: lines end at LF, CR LF or the end of the text
    {"^abc", "xabc\nabc", 0, 5, "abc"},
    {"abc$", "abc\r\nabc x", 0, 0, "abc"},
    {"c$", "abc\nd", 0, 2, "c"},
    {"^", "ab\ncd", 1, 3, ""},
    {"$", "ab\r\ncd", 0, 2, ""},
    {"$", "ab\r\ncd", 3, 6, ""},
    // the empty hit before "a" stands; what follows is only a CR, then the end
    {"\\w[x]\\b|\\b", "a\r", 0, 0, ""},
    {"a$|a\\r", "a\r\r\n", 0, 0, "a\r"},
    {"a\\r$", "a\r\r\n", 0, 0, "a\r"},
    {"^$", "a\n\nb", 0, 2, ""},
    {"^$", "a\r\n\r\nb", 0, 3, ""},
    {".*", "ab\ncd", 0, 0, "ab"},
    {".*$", "ab\r\ncd", 0, 0, "ab"},
    {"a\\r?$", "a\r", 0, 0, "a\r"},
    {"\\bfoo\\b", "afoo foo", 0, 5, "foo"},
    {"\\Boo", "foo", 0, 1, "oo"},
    {"\\b", "  ab", 0, 2, ""},
    {"o\\b", "foo", 0, 2, "o"},
    {"\\B", "ab", 0, 1, ""},
    // start offsets, empty patterns and texts
    {"", "abc", 1, 1, ""},
    {"", "abc", 3, 3, ""},
    {"x*", "", 0, 0, ""},
    {"a", "abc", 3, -1, ""},
    {"a", "abc", 10, -1, ""},
    {"$", "abc", 3, 3, ""},
    {"b", "abcb", -5, 1, "b"},
};

TEST(GrexmoSyntax, FindsLeftmostFirstHits) {
    for (const FindCase& c : kSyntaxCases) ExpectFind(c, true);
}

const FindCase kPlainCases[] = {
    {"a.c", "abc a.c", 0, 4, "a.c"},
    {"(a|b)*", "ab(a|b)*", 0, 2, "(a|b)*"},
    {"\\d", "1\\d", 0, 1, "\\d"},
    {"[x]", "x[x]", 0, 1, "[x]"},
    {"^$", "a^$", 0, 1, "^$"},
    {"aa", "aaaa", 1, 1, "aa"},
    {"", "ab", 1, 1, ""},
    {"ab", "a", 0, -1, ""},
};

TEST(GrexmoPlain, EveryByteStandsForItself) {
    for (const FindCase& c : kPlainCases) ExpectFind(c, false);
}

TEST(GrexmoSyntax, HitTextIsEmptyAfterAMiss) {
    CGrexmo g;
    g.Read("b", true);
    ASSERT_EQ(g.Find("ab", 0, false), 1);
    EXPECT_EQ(g.Find("aa", 0, false), -1);
    EXPECT_STREQ(g.GetHitText(), "");
}

TEST(GrexmoSyntax, ReadReplacesThePreviousPattern) {
    CGrexmo g;
    g.Read("a+", true);
    EXPECT_EQ(g.Find("xaa", 0, false), 1);
    g.Read("a+", false);
    EXPECT_EQ(g.Find("xaa", 0, false), -1);
    EXPECT_EQ(g.Find("xa+", 0, false), 1);
}

}  // namespace
