#include "extension_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quelbrix {
namespace {

std::vector<std::string> Items(const char* list) {
    std::vector<std::string> texts;
    for (const ExtensionItem& item : SplitExtensionList(list)) texts.push_back(item.text);
    return texts;
}

TEST(SplitExtensionList, EmptyListIsOneItemForAllFiles) {
    EXPECT_EQ(Items(""), std::vector<std::string>{""});
}

TEST(SplitExtensionList, TrailingCommaOfTheProgramsFormAddsNothing) {
    EXPECT_EQ(Items("txt,html,"), (std::vector<std::string>{"txt", "html"}));
}

TEST(SplitExtensionList, EmptyItemsAreSkipped) {
    EXPECT_EQ(Items(",txt,,c,"), (std::vector<std::string>{"txt", "c"}));
}

TEST(SplitExtensionList, CommasOnlyYieldNoItem) { EXPECT_TRUE(Items(",,,").empty()); }

TEST(SplitExtensionList, ItemsAreNotTrimmed) {
    EXPECT_EQ(Items("txt, html"), (std::vector<std::string>{"txt", " html"}));
}

TEST(SplitExtensionList, LongItemKeepsItsFirstTwentyBytes) {
    EXPECT_EQ(Items("abcdefghijklmnopqrstuvwxy,c"),
              (std::vector<std::string>{"abcdefghijklmnopqrst", "c"}));
}

TEST(SplitExtensionList, CutMayFallInsideADoubleByteCharacter) {
    // 19 ASCII bytes, then the two bytes of 表: only its lead byte stays.
    auto items = Items("abcdefghijklmnopqrs\x95\x5C");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0], "abcdefghijklmnopqrs\x95");
}

struct MatchCase {
    const char* path;
    const char* item;
    bool accepted;
};

class MatchesExtensionTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchesExtensionTest, AcceptsOrRefuses) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(MatchesExtension(c.path, c.item), c.accepted) << c.path << " / " << c.item;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchesExtensionTest,
    ::testing::Values(
        MatchCase{"C:\\docs\\README.TXT", "txt", true},
        MatchCase{"C:\\docs\\readme.txt", "TxT", true},
        MatchCase{"/docs/archive.tar.gz", "gz", true},
        MatchCase{"/docs/archive.tar.gz", "tar.gz", false},
        MatchCase{"C:\\docs\\Makefile", "txt", false}, MatchCase{"C:\\docs\\Makefile", "", true},
        MatchCase{"C:\\docs.txt\\Makefile", "txt", false},
        MatchCase{"C:/docs.txt/Makefile", "txt", false},
        MatchCase{"C:\\docs\\a.txt", " txt", false}, MatchCase{"C:\\docs\\a.", "", true},
        MatchCase{"C:\\docs\\a.t", "txt", false}, MatchCase{"C:\\docs\\a.txtx", "txt", false},
        // 表 is 0x95 0x5C: its second byte is not a separator.
        MatchCase{"C:\\d\\a.b\x95\x5Ctxt", "b\x95\x5Ctxt", true},
        MatchCase{"C:\\d\\a.b\x95\x5Ctxt", "txt", false},
        // Letters of double-byte characters are not folded: ａ (0x82 0x81) vs Ａ (0x82 0x60).
        MatchCase{"C:\\d\\a.\x82\x81", "\x82\x60", false},
        // ア (0x83 0x41) and ヂ (0x83 0x61) differ only by a second byte that looks like A / a.
        MatchCase{"C:\\d\\a.\x83\x41", "\x83\x61", false},
        MatchCase{"C:\\d\\a.\x83\x41x", "\x83\x41X", true}, MatchCase{"C:a.txt", "txt", true},
        // An extension of 21 bytes never equals an item, which holds at most 20.
        MatchCase{"C:\\d\\a.abcdefghijklmnopqrstu", "abcdefghijklmnopqrst", false}));

}  // namespace
}  // namespace quelbrix
