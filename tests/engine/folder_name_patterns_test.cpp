#include "folder_name_patterns.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace quelbrix {
namespace {

bool Matches(const char* pattern, const char* name) {
    return MatchesNamePattern(pattern, std::strlen(pattern), name);
}

// Double-byte characters whose second byte looks like something else.
const char* const kA = "\x83\x41";         // ア: second byte 'A'
const char* const kDi = "\x83\x61";        // ヂ: second byte 'a'
const char* const kChi = "\x83\x60";       // チ: second byte '`'
const char* const kHyo = "\x95\x5C";       // 表: second byte '\\'
const char* const kSo = "\x83\x5C";        // ソ: second byte '\\'
const char* const kLoneLeadStar = "\x81*";  // '*' cannot be a second byte: 0x81 stands alone

TEST(MatchesNamePattern, OneItemAgainstWholeNames) {
    const struct {
        std::string pattern;
        std::string name;
        bool matches;
    } cases[] = {
        {"obj", "obj", true},
        {"obj", "objx", false},  // a whole name, not a prefix
        {"obj", "xobj", false},
        {"OBJ", "obj", true},  // ASCII letters without case
        {"Node_Modules", "node_modules", true},
        {"obj", "ob", false},  // a pattern longer than the name
        {"*", "anything", true},
        {"*", "x", true},
        {"*.d", ".d", true},  // a star takes the empty run
        {"build*", "build", true},
        {"build*", "build-x64", true},
        {"build*", "rebuild", false},
        {"*cache", "__cache", true},
        {"*cache", "cache_", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXcYYb", false},
        {"**", "x", true},
        {"?", "x", true},
        {"?", "xy", false},
        {"??", "x", false},
        {"obj?", "obj1", true},
        {"obj?", "obj", false},
        {std::string("?"), kA, true},  // a double-byte character is one character
        {std::string("??"), kA, false},
        {std::string("?") + kHyo, std::string(kSo) + kHyo, true},
        {std::string(kA), kA, true},
        {std::string(kA) + "x", std::string(kA) + "X", true},  // the letter after it still folds
        {std::string(kA), kDi, false},  // second bytes 'A' and 'a' are not folded
        {std::string(kDi), kA, false},
        {std::string(kChi), kA, false},
        {std::string(kHyo), kSo, false},  // same second byte, other lead
        {std::string(kSo), "\x83\\", true},
        {std::string("*\\"), kHyo, false},  // '\\' is only the second byte of 表
        {std::string("*A"), kA, false},  // nor is 'A' a letter inside ア
        {std::string("*a"), kA, false},
        {std::string("*") + kA, std::string("x") + kA, true},
        {kLoneLeadStar, "\x81!x", true},  // the star after a lone lead byte is still a star
        {kLoneLeadStar, "\x81x", false},  // 0x81 0x78 is one character, not 0x81 and 'x'
        {"", "", true},
        {"", "x", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Matches(c.pattern.c_str(), c.name.c_str()), c.matches)
            << '"' << c.pattern << "\" vs \"" << c.name << '"';
}

// A star between double-byte characters whose second bytes are '\\' and 'A'.
TEST(MatchesNamePattern, StarBetweenDoubleByteCharacters) {
    const std::string pattern = std::string(kA) + "*" + kSo;
    EXPECT_TRUE(Matches(pattern.c_str(), (std::string(kA) + kSo).c_str()));
    EXPECT_TRUE(Matches(pattern.c_str(), (std::string(kA) + "xyz" + kHyo + kSo).c_str()));
    EXPECT_FALSE(Matches(pattern.c_str(), (std::string(kA) + "xyz" + kHyo).c_str()));
}

// The pattern may be the front of a longer text: only its given bytes count.
TEST(MatchesNamePattern, OnlyTheGivenBytesOfThePatternCount) {
    EXPECT_TRUE(MatchesNamePattern("obj;bin", 3, "obj"));
    EXPECT_FALSE(MatchesNamePattern("obj;bin", 3, "obj;bin"));
    EXPECT_TRUE(MatchesNamePattern("x*", 1, "x"));
    EXPECT_FALSE(MatchesNamePattern("x*", 1, "xy"));
}

// Stars that a backtracking matcher would try in every combination: each of these must end
// at once (the test runs under a time limit as a whole, never timed by itself).
TEST(MatchesNamePattern, ManyStarsStayBounded) {
    const std::string name(250, 'a');
    std::string pattern;
    for (int i = 0; i < 60; ++i) pattern += "*a";
    EXPECT_FALSE(Matches((pattern + "*b").c_str(), name.c_str()));
    EXPECT_TRUE(Matches((pattern + "*").c_str(), name.c_str()));
    EXPECT_FALSE(Matches((pattern + "*").c_str(), name.substr(0, 59).c_str()));
    EXPECT_TRUE(Matches((pattern + "*").c_str(), name.substr(0, 60).c_str()));
}

// A plainly correct matcher over whole characters, trying every split a star could take.
bool ReferenceMatch(const std::vector<std::string>& pattern, std::size_t p,
                    const std::vector<std::string>& name, std::size_t n) {
    if (p == pattern.size()) return n == name.size();
    if (pattern[p] == "*") {
        for (std::size_t take = n; take <= name.size(); ++take)
            if (ReferenceMatch(pattern, p + 1, name, take)) return true;
        return false;
    }
    if (n == name.size()) return false;
    const std::string& a = pattern[p];
    const std::string& b = name[n];
    const bool same = a == "?" ||
                      (a.size() == 1 && b.size() == 1 && std::tolower(a[0]) == std::tolower(b[0])) ||
                      (a.size() == 2 && a == b);
    return same && ReferenceMatch(pattern, p + 1, name, n + 1);
}

// Every pattern of up to four characters against every name of up to four, over characters
// that fold, do not fold, or only look alike by their second byte.
TEST(MatchesNamePattern, AgreesWithTheReferenceOnEveryShortPattern) {
    const std::vector<std::string> patternChars = {"a", "A", "b", "*", "?", kA, kDi};
    const std::vector<std::string> nameChars = {"a", "B", kA, kDi};
    const auto all = [](const std::vector<std::string>& chars, std::size_t maxLength) {
        std::vector<std::vector<std::string>> words{{}};
        for (std::size_t at = 0; at < words.size(); ++at) {
            if (words[at].size() == maxLength) continue;
            for (const std::string& c : chars) {
                std::vector<std::string> longer = words[at];
                longer.push_back(c);
                words.push_back(longer);
            }
        }
        return words;
    };
    const auto join = [](const std::vector<std::string>& chars) {
        std::string text;
        for (const std::string& c : chars) text += c;
        return text;
    };
    for (const auto& pattern : all(patternChars, 4)) {
        const std::string patternText = join(pattern);
        for (const auto& name : all(nameChars, 4)) {
            const std::string nameText = join(name);
            ASSERT_EQ(Matches(patternText.c_str(), nameText.c_str()),
                      ReferenceMatch(pattern, 0, name, 0))
                << '"' << patternText << "\" vs \"" << nameText << '"';
        }
    }
}

TEST(IsExcludedFolderName, ListsOfItems) {
    const struct {
        const char* patterns;
        std::string name;
        bool excluded;
    } cases[] = {
        {".git;.svn;node_modules;obj", "node_modules", true},
        {".git;.svn;node_modules;obj", "OBJ", true},
        {".git;.svn;node_modules;obj", "src", false},
        {".git;.svn;node_modules;obj", "obj;", false},
        {"", "obj", false},
        {";;", "obj", false},  // empty items match nothing, not even an empty name
        {";;", "", false},
        {"obj;;bin;", "bin", true},
        {"obj; bin", "bin", true},  // blanks around an item are not part of it
        {" obj ;\tbin\t", "obj", true},
        {" obj ;\tbin\t", "bin", true},
        {"obj; bin", " bin", false},
        {"my docs", "my docs", true},  // blanks inside an item stay
        {"my docs", "mydocs", false},
        {"  ;  ", " ", false},  // an item of blanks only is empty
        {"bin*;obj", "binaries", true},
        {"\x83\x41;x", kA, true},
        {"*\x83\x41", std::string("\x83\x41\x83\x41"), true},
        {"\x83;x", "\x83", true},  // a lead byte before ';' ends its item
        {"\x83;x", "x", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExcludedFolderName(c.name.c_str(), c.patterns), c.excluded)
            << '"' << c.patterns << "\" vs \"" << c.name << '"';
}

TEST(IsExcludedFolderName, NoListLeavesNothingOut) {
    EXPECT_FALSE(IsExcludedFolderName("obj", nullptr));
}

}  // namespace
}  // namespace quelbrix
