#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_files.h"

namespace quelbrix {
namespace {

const LayoutRect kList{5, 57, 555, 281};

TEST(Anchored, EachFollowOfTheTwoAxes) {
    struct Case {
        Anchoring anchoring;
        int grownWidth, grownHeight;
        LayoutRect expected;
    };
    const Case cases[] = {
        {{Follow::kStay, Follow::kStay}, 100, 50, kList},
        {{Follow::kStretch, Follow::kStretch}, 100, 50, {5, 57, 655, 331}},
        {{Follow::kMove, Follow::kStay}, 100, 50, {105, 57, 655, 281}},
        {{Follow::kStay, Follow::kMove}, 100, 50, {5, 107, 555, 331}},
        {{Follow::kStretch, Follow::kMove}, 100, 50, {5, 107, 655, 331}},
        // At the minimum and below it (a window squeezed smaller) nothing moves.
        {{Follow::kStretch, Follow::kStretch}, 0, 0, kList},
        {{Follow::kMove, Follow::kMove}, -40, -10, kList},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Anchored(kList, c.grownWidth, c.grownHeight, c.anchoring), c.expected)
            << c.grownWidth << "," << c.grownHeight;
}

TEST(BroughtOnto, WindowsOffTheAreaComeBackWithTheirSize) {
    const LayoutRect area{0, 0, 1920, 1040};
    struct Case {
        LayoutRect window, expected;
    };
    const Case cases[] = {
        {{100, 100, 700, 500}, {100, 100, 700, 500}},       // on it already
        {{3000, 100, 3600, 500}, {1320, 100, 1920, 500}},   // a monitor no longer there
        {{-900, -700, -300, -300}, {0, 0, 600, 400}},       // above and left of it
        {{1800, 1000, 2400, 1400}, {1320, 640, 1920, 1040}},  // partly off
        {{-50, 10, 2950, 2010}, {0, 0, 3000, 2000}},        // larger: its top left on the area
    };
    for (const Case& c : cases) EXPECT_EQ(BroughtOnto(c.window, area), c.expected);
}

TEST(Placement, ReadsOnlyExactlyFiveNumbersInRange) {
    LayoutRect rect;
    bool maximized = false;
    ASSERT_TRUE(ParsePlacement("10,-20,610,380,1", rect, maximized));
    EXPECT_EQ(rect, (LayoutRect{10, -20, 610, 380}));
    EXPECT_TRUE(maximized);
    const char* const refused[] = {
        "",
        "10,20,610,380",            // too few
        "10,20,610,380,0,7",        // too many
        "10,20,610,380,2",          // maximised is 0 or 1
        "10, 20,610,380,0",         // blanks
        "10,20,10,380,0",           // no width
        "10,380,610,20,0",          // upside down
        "a,b,c,d,e",
        "99999999999999999999,0,1,1,0",
        "-40000,0,100,100,0",       // beyond 16 bits
        "-30000,0,30000,100,0",     // wider than Windows keeps
        "10,20,610,380,0,",
        "--1,20,610,380,0",
    };
    for (const char* text : refused) {
        LayoutRect untouched{1, 2, 3, 4};
        bool flag = false;
        EXPECT_FALSE(ParsePlacement(text, untouched, flag)) << text;
        EXPECT_EQ(untouched, (LayoutRect{1, 2, 3, 4})) << text;
    }
}

TEST(ColumnWidths, FourWidthsOrNothing) {
    int columns[kListColumnCount] = {1, 2, 3, 4};
    ASSERT_TRUE(ParseColumnWidths("300,0,72,120", columns));
    EXPECT_EQ(FormatColumnWidths(columns), "300,0,72,120");
    for (const char* text : {"300,60,72", "300,60,72,120,5", "300,-1,72,120", "300,60,72,99999",
                             "300;60;72;120", "x"}) {
        int untouched[kListColumnCount] = {1, 2, 3, 4};
        EXPECT_FALSE(ParseColumnWidths(text, untouched)) << text;
        EXPECT_EQ(untouched[0], 1) << text;
    }
}

TEST(MainWindowPlace, SavedBesideTheTicksAndReadBack) {
    MemoryFiles files;
    files.files["Q.ini"] = "[main]\r\nunder=1\r\nformal=0\r\n[whole]\r\nnProgress=0\r\n";
    ProfileFile profile(files, "Q.ini", "whole");
    MainWindowPlace place;
    place.hasPlacement = true;
    place.normal = {40, 30, 800, 600};
    place.maximized = true;
    place.hasColumns = true;
    const int widths[kListColumnCount] = {400, 60, 72, 150};
    for (int i = 0; i < kListColumnCount; ++i) place.columns[i] = widths[i];
    SaveMainWindowPlace(profile, place);
    EXPECT_EQ(files.files["Q.ini"],
              "[main]\r\nunder=1\r\nformal=0\r\nplacement=40,30,800,600,1\r\n"
              "columns=400,60,72,150\r\n[whole]\r\nnProgress=0\r\n");

    const MainWindowPlace read = LoadMainWindowPlace(profile);
    EXPECT_TRUE(read.hasPlacement);
    EXPECT_EQ(read.normal, place.normal);
    EXPECT_TRUE(read.maximized);
    EXPECT_TRUE(read.hasColumns);
    EXPECT_EQ(read.columns[3], 150);
}

TEST(MainWindowPlace, MissingOrHostileValuesLeaveTodaysLayout) {
    for (const char* file : {"", "[main]\r\nunder=1\r\n",
                             "[main]\r\nplacement=0,0,-5,9,0\r\ncolumns=1,2\r\n",
                             "[whole]\r\nplacement=0,0,600,400,0\r\ncolumns=1,2,3,4\r\n"}) {
        MemoryFiles files;
        files.files["Q.ini"] = file;
        ProfileFile profile(files, "Q.ini", "whole");
        const MainWindowPlace place = LoadMainWindowPlace(profile);
        EXPECT_FALSE(place.hasPlacement) << file;
        EXPECT_FALSE(place.hasColumns) << file;
    }
}

}  // namespace
}  // namespace quelbrix
