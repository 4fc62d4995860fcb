#include "app/history.h"

#include <gtest/gtest.h>

#include "app/settings_template.h"
#include "memory_files.h"

using quelbrix::AddToHistory;
using quelbrix::ProfileFile;
using quelbrix::ReadHistory;

namespace {

class HistoryTest : public ::testing::Test {
protected:
    HistoryTest() : profile(files, "Q.ini", "main") {
        files.files["Q.ini"] = quelbrix::FormatSettingsTemplate(413, 0);
    }
    void Fill(const std::vector<std::string>& values) {
        profile.SetSection("path_history");
        for (std::size_t i = 0; i < values.size(); ++i) {
            profile.WriteString("h" + std::to_string(i), values[i]);
        }
    }
    std::vector<std::string> Slots() {
        profile.SetSection("path_history");
        std::vector<std::string> slots;
        for (int i = 0; i < 20; ++i) {
            slots.push_back(profile.GetString("h" + std::to_string(i), 1023));
        }
        return slots;
    }

    MemoryFiles files;
    ProfileFile profile;
};

std::vector<std::string> Padded(std::vector<std::string> values) {
    values.resize(20);
    return values;
}

TEST_F(HistoryTest, NewEntryGoesToTheFront) {
    Fill({"A", "B"});
    AddToHistory(profile, "path_history", "N");
    EXPECT_EQ(Slots(), Padded({"N", "A", "B"}));
}

TEST_F(HistoryTest, PresentEntryMovesToFrontAndLaterSlotsStay) {
    Fill({"A", "B", "C", "D", "E"});
    AddToHistory(profile, "path_history", "D");
    EXPECT_EQ(Slots(), Padded({"D", "A", "B", "C", "E"}));
}

TEST_F(HistoryTest, EntryAlreadyFirstStaysFirst) {
    Fill({"A", "B"});
    AddToHistory(profile, "path_history", "A");
    EXPECT_EQ(Slots(), Padded({"A", "B"}));
}

TEST_F(HistoryTest, TwentiethEntryDropsOut) {
    std::vector<std::string> full;
    for (int i = 0; i < 20; ++i) full.push_back("e" + std::to_string(i));
    Fill(full);
    AddToHistory(profile, "path_history", "new");
    std::vector<std::string> expected = {"new"};
    for (int i = 0; i < 19; ++i) expected.push_back("e" + std::to_string(i));
    EXPECT_EQ(Slots(), expected);
}

TEST_F(HistoryTest, ComparisonIsCaseSensitive) {
    Fill({"abc"});
    AddToHistory(profile, "path_history", "ABC");
    EXPECT_EQ(Slots(), Padded({"ABC", "abc"}));
}

TEST_F(HistoryTest, ReadSkipsEmptySlotsWithoutGaps) {
    Fill({"A", "", "C", "", "", "F"});
    EXPECT_EQ(ReadHistory(profile, "path_history"), (std::vector<std::string>{"A", "C", "F"}));
}

TEST_F(HistoryTest, OtherSectionsAndCommentsUntouched) {
    AddToHistory(profile, "word_history", "w");
    std::string text = files.files["Q.ini"];
    std::string expected = quelbrix::FormatSettingsTemplate(413, 0);
    std::size_t words = expected.find("[word_history]\r\nh0=");
    expected.insert(words + std::string("[word_history]\r\nh0=").size(), "w");
    EXPECT_EQ(text, expected);
}

TEST_F(HistoryTest, WorksOnAFileWithoutTheSection) {
    files.files["Q.ini"] = "[main]\r\nunder=1\r\n";
    AddToHistory(profile, "word_history", "x");
    AddToHistory(profile, "word_history", "y");
    EXPECT_EQ(ReadHistory(profile, "word_history"), (std::vector<std::string>{"y", "x"}));
}

TEST_F(HistoryTest, ClearingEmptiesEverySlotAndLeavesTheOtherHistory) {
    AddToHistory(profile, "path_history", "C:\\data\\");
    const std::string pathOnly = files.files["Q.ini"];  // the words' keys all empty
    for (const char* word : {"a", "b", "c"}) AddToHistory(profile, "word_history", word);
    quelbrix::ClearHistory(profile, "word_history");
    EXPECT_EQ(files.files["Q.ini"], pathOnly);
}

TEST_F(HistoryTest, ClearingAFileWithoutTheSectionWritesTheEmptyKeys) {
    files.files["Q.ini"] = "[main]\r\nunder=1\r\n";
    quelbrix::ClearHistory(profile, "path_history");
    profile.SetSection("path_history");
    EXPECT_EQ(profile.GetString("h19", 10), "");
    EXPECT_NE(files.files["Q.ini"].find("h19=\r\n"), std::string::npos);
}

}  // namespace
