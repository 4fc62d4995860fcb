#include "engine/result_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/search_driver.h"
#include "fake_platform.h"

namespace quelbrix {
namespace {

using testing::FakeEngine;
using testing::P;
using Strings = std::vector<std::string>;

TEST(InitListView, ColumnsInOrderWithWidthsFromTheirArguments) {
    EngineState state;
    MemoryRows rows;
    InitListView(state, rows, &rows, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT, QUELBRIX_WIDTH_SIZE,
                 QUELBRIX_WIDTH_TIME);
    EXPECT_EQ(state.resultList, &rows);
    EXPECT_EQ(rows.boundList, &rows);
    ASSERT_EQ(rows.columns.size(), 4u);
    const Strings headers{"ファイル名・場所", "サイズ", "更新日時", "一致数"};
    const std::vector<int> widths{QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_SIZE, QUELBRIX_WIDTH_TIME,
                                  QUELBRIX_WIDTH_COUNT};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rows.columns[i].header, headers[i]);
        EXPECT_EQ(rows.columns[i].width, widths[i]);
        EXPECT_EQ(rows.columns[i].align, i == 0 ? ColumnAlign::kLeft : ColumnAlign::kRight);
    }
    EXPECT_TRUE(rows.gridStyle);
}

void AddRow(FakeEngine& engine, const char* path, std::uint32_t size, int hits,
            const char* time = "2003/07/14 09:05:00") {
    AddResultRow(engine.state, engine.rows, path, size, hits, time, false, true);
}

TEST(AddResultRow, CellsOfARow) {
    FakeEngine engine;
    AddRow(engine, "C:\\docs\\a.txt", 1234, 7);
    ASSERT_EQ(engine.rows.rows.size(), 1u);
    const MemoryRow& row = engine.rows.rows[0];
    EXPECT_EQ(row.cells[0], "C:\\docs\\a.txt");
    EXPECT_EQ(row.cells[1], "1234");
    EXPECT_EQ(row.cells[2], "2003/07/14 09:05:00");
    EXPECT_EQ(row.cells[3], "7");
}

TEST(AddResultRow, SizeAbove2GiBIsNotNegative) {
    FakeEngine engine;
    AddRow(engine, "big", 3000000000u, 1);
    EXPECT_EQ(engine.rows.rows[0].cells[1], "3000000000");
}

TEST(AddResultRow, CountCellStaysEmptyWhenCountingIsOff) {
    FakeEngine engine;
    AddResultRow(engine.state, engine.rows, "a", 1, 1, "t", false, false);
    EXPECT_EQ(engine.rows.rows[0].cells[3], "");
}

TEST(AddResultRow, NothingIsListedBeforeTheListIsSetUp) {
    EngineState state;
    MemoryRows rows;
    AddResultRow(state, rows, "a", 1, 1, "t", false, true);
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_FALSE(SortResults(state, rows, 1));
}

TEST(AddResultRow, SearchWithTheListUnsetNeitherListsNorClears) {
    FakeEngine engine;
    engine.rows.Insert(0, "kept");
    InitListView(engine.state, engine.rows, nullptr, QUELBRIX_WIDTH_FILE, QUELBRIX_WIDTH_COUNT,
                 QUELBRIX_WIDTH_SIZE, QUELBRIX_WIDTH_TIME);
    engine.files.AddFile(P("w/a"), "ab");
    engine.Run(engine.Request("w/", "ab"));
    EXPECT_EQ(engine.Column(0), (Strings{"kept"}));
    EXPECT_EQ(engine.state.hitFileCount, 1);
}

TEST(AddResultRow, RelativePathsDropTheSearchedFolder) {
    FakeEngine engine;
    engine.files.AddFile(P("docs/a.txt"), "ab");
    engine.files.AddFile(P("docs/sub/a.txt"), "ab");
    SearchRequest request = engine.Request("docs/", "ab");
    request.searchSubfolders = true;
    request.relativePaths = true;
    engine.Run(request);
    EXPECT_EQ(engine.Column(0), (Strings{"a.txt", P("sub/a.txt")}));
}

TEST(AddResultRow, RowDeletedDuringTheSearchLosesNoLaterRow) {
    FakeEngine engine;
    for (const char* name : {"a", "b", "c", "d"}) engine.files.AddFile(P("w/") + name, "ab");
    engine.ui.AtPump(2, [&] { engine.rows.Delete(0); });
    engine.Run(engine.Request("w/", "ab"));
    EXPECT_EQ(engine.Column(0), (Strings{P("w/b"), P("w/c"), P("w/d")}));
}

class SortTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddRow(engine, "b", 10, 3, "2003/07/14 09:05:00");
        AddRow(engine, "A", 9, 100, "2010/01/01 00:00:00");
        AddRow(engine, "a", 100, 20, "1999/12/31 23:59:59");
        AddRow(engine, "B", 3000000000u, 0, "2003/07/14 09:05:01");
    }
    Strings Click(int column) {
        SortResults(engine.state, engine.rows, column);
        return engine.Column(0);
    }
    FakeEngine engine;
};

TEST_F(SortTest, SizesSortAsNumbersDescendingFirst) {
    EXPECT_EQ(Click(1), (Strings{"B", "a", "b", "A"}));
    EXPECT_EQ(Click(1), (Strings{"A", "b", "a", "B"}));
    EXPECT_EQ(Click(1), (Strings{"B", "a", "b", "A"}));
}

TEST_F(SortTest, CountsSortAsNumbers) { EXPECT_EQ(Click(3), (Strings{"A", "a", "b", "B"})); }

TEST_F(SortTest, PathsSortByByteValue) {
    // sortColumn starts at 0 and ascending: the first click on column 0 flips to descending.
    EXPECT_EQ(Click(0), (Strings{"b", "a", "B", "A"}));
    EXPECT_EQ(Click(0), (Strings{"A", "B", "a", "b"}));
}

TEST_F(SortTest, TimesSortChronologically) { EXPECT_EQ(Click(2), (Strings{"A", "B", "b", "a"})); }

TEST_F(SortTest, EveryChangeOfColumnStartsDescending) {
    Click(1);
    Click(3);
    EXPECT_EQ(Click(1), (Strings{"B", "a", "b", "A"}));
    EXPECT_TRUE(engine.state.sortDescending);
}

TEST_F(SortTest, SortStateSurvivesANewSearch) {
    Click(1);
    engine.files.AddFile(P("w/x"), "ab");
    engine.Run(engine.Request("w/", "ab"));
    Click(1);
    EXPECT_EQ(engine.state.sortColumn, 1);
    EXPECT_FALSE(engine.state.sortDescending);
}

TEST(Sort, EmptyListOnlyChangesTheState) {
    FakeEngine engine;
    EXPECT_TRUE(SortResults(engine.state, engine.rows, 2));
    EXPECT_EQ(engine.state.sortColumn, 2);
    EXPECT_TRUE(engine.state.sortDescending);
    EXPECT_TRUE(engine.rows.rows.empty());
}

TEST(Sort, EmptyCountCellsReadAsZero) {
    FakeEngine engine;
    AddResultRow(engine.state, engine.rows, "x", 1, 5, "t", false, false);
    AddResultRow(engine.state, engine.rows, "y", 1, 5, "t", false, true);
    SortResults(engine.state, engine.rows, 3);
    EXPECT_EQ(engine.Column(0), (Strings{"y", "x"}));
}

TEST(Sort, ColumnClickMidSearchSortsThePresentRowsAndLaterOnesAreAppended) {
    FakeEngine engine;
    engine.files.AddFile(P("w/a"), "ab");
    engine.files.AddFile(P("w/b"), "ab ab");
    engine.files.AddFile(P("w/c"), "ab ab ab");
    engine.ui.AtPump(2, [&] { SortResults(engine.state, engine.rows, 3); });
    engine.Run(engine.Request("w/", "ab"));
    EXPECT_EQ(engine.Column(0), (Strings{P("w/b"), P("w/a"), P("w/c")}));
}

}  // namespace
}  // namespace quelbrix
