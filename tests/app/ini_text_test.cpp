#include "ini_text.h"

#include <gtest/gtest.h>

#include <random>

using quelbrix::FindIniValue;
using quelbrix::SameIniName;
using quelbrix::SetIniValue;

namespace {

std::string Lookup(const std::string& text, const std::string& section, const std::string& key) {
    std::string value;
    return FindIniValue(text, section, key, value) ? value : "<missing>";
}

const std::string kSample =
    ";comment\r\n"
    "\r\n"
    "[main]\r\n"
    "formal=0\r\n"
    "under=1\r\n"
    "\r\n"
    "[whole]\r\n"
    "error=2\r\n";

TEST(IniLookup, FindsKeysOfTheNamedSectionOnly) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"main", "formal", "0"},         {"main", "under", "1"},
        {"whole", "error", "2"},         {"MAIN", "UNDER", "1"},
        {"Whole", "Error", "2"},         {"main", "error", "<missing>"},
        {"whole", "under", "<missing>"}, {"type", "all_type", "<missing>"},
        {"comment", "x", "<missing>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Lookup(kSample, c.section, c.key), c.value) << c.section << "/" << c.key;
    }
}

TEST(IniLookup, KeysBeforeTheFirstSectionBelongToNone) {
    EXPECT_EQ(Lookup("a=1\r\n[s]\r\nb=2\r\n", "s", "a"), "<missing>");
}

TEST(IniLookup, KeyNamesAreTrimmedValuesAreKeptWhole) {
    EXPECT_EQ(Lookup("[s]\r\n  key  = two words \r\n", "s", "key"), " two words ");
}

TEST(IniLookup, ValueMayHoldEqualsSigns) {
    EXPECT_EQ(Lookup("[s]\r\nh0=a=b\r\n", "s", "h0"), "a=b");
}

TEST(IniLookup, ReadsBareLineFeedsAndAFinalLineWithoutEnd) {
    EXPECT_EQ(Lookup("[s]\nk=v\n", "s", "k"), "v");
    EXPECT_EQ(Lookup("[s]\r\nk=v", "s", "k"), "v");
}

TEST(IniLookup, FirstOfTwoEqualSectionsWins) {
    EXPECT_EQ(Lookup("[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k"), "1");
}

TEST(IniNames, CaseFoldingNeverTouchesTrailBytes) {
    // 0x83 0x61 and 0x83 0x41 are two different katakana; folding their second byte as ASCII
    // would make them equal.
    EXPECT_FALSE(SameIniName("\x83\x61", "\x83\x41"));
    EXPECT_TRUE(SameIniName("\x83\x61x", "\x83\x61X"));
    EXPECT_TRUE(SameIniName("path_History", "PATH_history"));
    EXPECT_FALSE(SameIniName("h1", "h10"));
}

TEST(IniNames, SectionNameWithBracketAsTrailByte) {
    // 0x83 0x5D ends with the byte of "]"; the header must not close there.
    const std::string text = "[\x83\x5Dx]\r\nk=v\r\n";
    EXPECT_EQ(Lookup(text, "\x83\x5Dx", "k"), "v");
}

TEST(IniEdit, ReplacesAValueInPlaceKeepingEverythingElse) {
    std::string edited = SetIniValue(kSample, "MAIN", "Under", "0");
    EXPECT_EQ(edited,
              ";comment\r\n\r\n[main]\r\nformal=0\r\nunder=0\r\n\r\n[whole]\r\nerror=2\r\n");
}

TEST(IniEdit, AddsAMissingKeyAfterTheLastLineOfItsSection) {
    std::string edited = SetIniValue(kSample, "main", "extra", "x");
    EXPECT_EQ(edited,
              ";comment\r\n\r\n[main]\r\nformal=0\r\nunder=1\r\nextra=x\r\n\r\n"
              "[whole]\r\nerror=2\r\n");
}

TEST(IniEdit, AddsAMissingSectionAtTheEnd) {
    std::string edited = SetIniValue(kSample, "type", "all_type", "1");
    EXPECT_EQ(edited, kSample + "\r\n[type]\r\nall_type=1\r\n");
}

TEST(IniEdit, CompletesALastLineWithoutLineEnd) {
    EXPECT_EQ(SetIniValue("[s]\r\na=1", "s", "b", "2"), "[s]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(SetIniValue("[s]\r\na=1", "t", "b", "2"), "[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n");
}

TEST(IniEdit, CompletesALastLineEndingInABareCarriageReturn) {
    // Without its LF the new key would be read as part of the line before it.
    EXPECT_EQ(SetIniValue("[s]\r\na=1\r", "s", "b", "2"), "[s]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(SetIniValue("[s]\r\na=1\r", "t", "b", "2"), "[s]\r\na=1\r\n\r\n[t]\r\nb=2\r\n");
    EXPECT_EQ(Lookup(SetIniValue("[s]\r\na=1\r", "s", "b", "2"), "s", "a"), "1");
}

TEST(IniEdit, AWriteReadsBackAndLeavesOtherKeysOnArbitraryText) {
    // Texts pieced together from the bytes that matter to the format, trail bytes included.
    const char* pieces[] = {"[", "]", "=", ";", "\r\n",     "\n",       "\r",
                            " ", "s", "k", "t", "\x95\x5C", "\x83\x5D", "v"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % 20);
        for (int i = 0; i < count; ++i) text += pieces[random() % (sizeof pieces / sizeof *pieces)];
        const std::string edited = SetIniValue(text, "s", "k", "val");
        ASSERT_EQ(Lookup(edited, "s", "k"), "val") << ::testing::PrintToString(text);
        ASSERT_EQ(Lookup(edited, "t", "k"), Lookup(text, "t", "k"))
            << ::testing::PrintToString(text);
    }
}

TEST(IniEdit, CreatesTheTextOfAnEmptyFile) {
    EXPECT_EQ(SetIniValue("", "main", "under", "1"), "[main]\r\nunder=1\r\n");
}

TEST(IniEdit, KeepsCommentsBlankLinesAndOddLinesByteForByte) {
    const std::string text =
        "; header \xE6\x83\r\n[s]\r\n; inside\r\n\r\nnot a key line\r\nk=old\r\n\r\n; tail\r\n";
    EXPECT_EQ(SetIniValue(text, "s", "k", "new"),
              "; header \xE6\x83\r\n[s]\r\n; inside\r\n\r\nnot a key line\r\nk=new\r\n\r\n"
              "; tail\r\n");
}

TEST(IniEdit, ValueWithLineBreakIsCutSoItCannotAddLines) {
    std::string edited = SetIniValue("[s]\r\nk=1\r\n", "s", "k", "a\r\n[main]\r\nformal=1");
    EXPECT_EQ(edited, "[s]\r\nk=a\r\n");
}

TEST(IniEdit, WrittenValuesReadBackUnchanged) {
    const char* values[] = {"", " leading", "trailing ", "C:\\\x95\x5C\\", "a=b;c", "\x83\x5D]"};
    for (const char* value : values) {
        std::string text = SetIniValue(kSample, "word_history", "h0", value);
        EXPECT_EQ(Lookup(text, "word_history", "h0"), value);
        text = SetIniValue(text, "main", "under", value);
        EXPECT_EQ(Lookup(text, "main", "under"), value);
    }
}

}  // namespace
