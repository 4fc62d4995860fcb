#include "app/profile_file.h"

#include <gtest/gtest.h>

#include "app/settings_template.h"
#include "memory_files.h"

using quelbrix::ProfileFile;

namespace {

const char kPath[] = "C:\\Q\\QuelbrixU.ini";

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFileTest() : profile(files, kPath, "main") {
        files.files[kPath] = quelbrix::FormatSettingsTemplate(413, 0);
    }
    std::string& File() { return files.files[kPath]; }

    MemoryFiles files;
    ProfileFile profile;
};

TEST_F(ProfileFileTest, ReadsTemplateDefaults) {
    EXPECT_EQ(profile.GetInt("under"), 1u);
    EXPECT_EQ(profile.GetInt("formal"), 0u);
    profile.SetSection("type");
    EXPECT_EQ(profile.GetString("t2", 1023), "html,htm,shtml,css");
    profile.SetSection("ver");
    EXPECT_EQ(profile.GetInt("main"), 413u);
}

TEST_F(ProfileFileTest, IntegerParsing) {
    struct Case {
        const char* stored;
        unsigned value;
    };
    const Case cases[] = {
        {"2", 2u}, {"  17", 17u},       {"12abc", 12u}, {"abc", 0u},
        {"", 0u},  {"-1", 0xFFFFFFFFu}, {"+5", 5u},
    };
    for (const Case& c : cases) {
        File() = std::string("[main]\r\nunder=") + c.stored + "\r\n";
        EXPECT_EQ(profile.GetInt("under"), c.value) << c.stored;
    }
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyReadsZeroAndEmpty) {
    EXPECT_EQ(profile.GetInt("nothing"), 0u);
    profile.SetSection("nosuch");
    EXPECT_EQ(profile.GetString("under", 100), "");
    files.files.clear();
    profile.SetSection("main");
    EXPECT_EQ(profile.GetInt("under"), 0u);
    char buffer[8] = "junk";
    EXPECT_EQ(profile.GetString("under", buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ProfileFileTest, GetStringRespectsCapacityAndCharacterBoundaries) {
    profile.SetSection("word_history");
    profile.WriteString("h0",
                        "ab\x95\x5C"
                        "cd");
    char buffer[4];
    EXPECT_EQ(profile.GetString("h0", buffer, sizeof buffer), 2u);  // "ab", not half of 表
    EXPECT_STREQ(buffer, "ab");
    char wide[5];
    EXPECT_EQ(profile.GetString("h0", wide, sizeof wide), 4u);
    EXPECT_STREQ(wide, "ab\x95\x5C");
}

TEST_F(ProfileFileTest, WriteIntStoresDecimalText) {
    struct Case {
        int value;
        const char* text;
    };
    const Case cases[] = {{0, "0"}, {1, "1"}, {2, "2"}, {-3, "-3"}, {413, "413"}};
    profile.SetSection("whole");
    for (const Case& c : cases) {
        profile.WriteInt("error", c.value);
        EXPECT_EQ(profile.GetString("error", 100), c.text);
    }
}

TEST_F(ProfileFileTest, WritingReplacesInPlaceAndKeepsTheRest) {
    std::string before = File();
    profile.WriteInt("under", 0);
    std::string expected = before;
    expected.replace(expected.find("under=1"), 7, "under=0");
    EXPECT_EQ(File(), expected);
}

TEST_F(ProfileFileTest, MissingSectionIsAppendedAndHeaderStays) {
    File() = ";--\r\n;\x90\xDD\x92\xE8\r\n\r\n[main]\r\nunder=1\r\n";
    profile.SetSection("type");
    profile.WriteString("t1", "txt");
    EXPECT_EQ(File(),
              ";--\r\n;\x90\xDD\x92\xE8\r\n\r\n[main]\r\nunder=1\r\n\r\n[type]\r\nt1=txt\r\n");
}

TEST_F(ProfileFileTest, NothingIsCachedBetweenCalls) {
    EXPECT_EQ(profile.GetInt("under"), 1u);
    File() = "[main]\r\nunder=0\r\n";
    EXPECT_EQ(profile.GetInt("under"), 0u);
}

TEST_F(ProfileFileTest, EveryWriteStoresTheFileAtOnce) {
    int writes = files.writes;
    profile.WriteInt("under", 0);
    profile.WriteInt("formal", 1);
    EXPECT_EQ(files.writes, writes + 2);
}

TEST_F(ProfileFileTest, WriteCreatesAMissingFile) {
    files.files.clear();
    profile.WriteInt("under", 1);
    EXPECT_EQ(File(), "[main]\r\nunder=1\r\n");
}

TEST_F(ProfileFileTest, UnreadableFileIsNeverOverwritten) {
    files.unreadable.insert(kPath);
    std::string before = File();
    EXPECT_FALSE(profile.WriteInt("under", 0));
    EXPECT_EQ(File(), before);
}

TEST_F(ProfileFileTest, UnwritableFileReportsFailure) {
    files.unwritable.insert(kPath);
    EXPECT_FALSE(profile.WriteString("under", "0"));
    EXPECT_EQ(profile.GetInt("under"), 1u);
}

}  // namespace
